#pragma once

#include "core/base/Wildcard.h"
#include "core/changes/RenamePlan.h"
#include "core/host/FileSystem.h"
#include "core/renamer/RenamePlanner.h"

#include <QList>

#include <QString>
#include <QStringList>
#include <functional>

// What an answer typed into SPECIAL BATCH's box would do, shown under the
// box while the user types.
struct AnswerPreview {
    // One entry whose name the answer changes, or that keeps it for a reason
    // of its own: outcome says what happens to it, where that is not the
    // name the rule gives (outcome.what is Renamed where it is).
    struct Row {
        QString before;
        QString after;
        EntryOutcome outcome;
    };
    // In the order of the file list.
    QList<Row> rows;
    // The whole answer: whether it cancels; else how many of total names
    // change, how many of them get a counter suffix, and how many keep their
    // names (untold of them because no title could be told apart).
    bool cancels = false;
    qsizetype total = 0;
    qsizetype changes = 0;
    qsizetype counted = 0;
    qsizetype kept = 0;
    qsizetype untold = 0;
};

// The jobs of SPECIAL BATCH, chosen by the word typed into its box.
enum class BatchJob {
    CleanUp, // "YES": the 54 steps of the clean-up table
    Titles,  // "TITLES": every listed file to the clean name of its release
    Folders, // "FOLDERS": every folder of the folder to its upper-case name
    Files,   // "FILES": every file of the folder to its upper-case name
    Cancel,  // any other answer, and Cancel
};

// The job an answer chooses: the answer upper-cased, then trimmed of blanks,
// is "YES", "TITLES", "FOLDERS" or "FILES"; anything else cancels.
BatchJob batchJobFor(const QString &answer);

// One job of SPECIAL BATCH worked out on a folder as it was read: what the
// box shows for it and the renames that then perform it.
struct BatchPlan {
    // The folder as read for this plan: the plan holds while a fresh read
    // finds the same.
    FolderContents readFrom;
    RenamePlan renames;
    // Whether preview below was worked out: a plan made only to run leaves
    // it out, as working it out takes as long again.
    bool previewed = false;
    // The clean-up only: the rows of its last preview, the year 2012's.
    QStringList lastPreview;
    AnswerPreview preview;
};

// What a job of SPECIAL BATCH works on: the rows that the file list shows
// through filter as the batch starts, and the latest year that TITLES reads
// as a release year.
struct BatchScope {
    QStringList rows;
    Wildcard filter;
    int latestYear = 0;
};

// Works out job on folder, whose entries are contents, for scope. Touches
// neither the disk, nor a window, nor the clock, so any thread may run it. With withPreview, the plan holds
// what the box shows of it too. When stopped says so, the planning ends
// early, its plan unfinished.
BatchPlan planBatch(BatchJob job, const QString &folder, const FolderContents &contents,
                    const BatchScope &scope, bool withPreview, const std::function<bool()> &stopped = {});
