// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Wildcard.h"
#include "core/changes/ChangeEngine.h"
#include "core/host/FileSystem.h"
#include "core/renamer/AnswerPreview.h"
#include "core/renamer/ReleasePlanner.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The jobs of SPECIAL BATCH, chosen by the word typed into its box.
enum class BatchJob {
    CleanUp, // "YES": the 54 steps of the clean-up table
    Titles,  // "TITLES": every listed file to the clean name of its release
    Library, // "LIBRARY": TITLES, each film and episode in folders that media servers read
    Folders, // "FOLDERS": every folder of the folder to its upper-case name
    Files,   // "FILES": every file of the folder to its upper-case name
    Cancel,  // any other answer, and Cancel
};

// The job an answer chooses: the answer upper-cased, then trimmed of blanks,
// is "YES", "TITLES", "LIBRARY", "FOLDERS" or "FILES"; anything else cancels.
BatchJob batchJobFor(const QString &answer);

// One job of SPECIAL BATCH worked out on a folder as it was read: what the
// box shows for it and the renames that then perform it.
struct BatchPlan {
    // The folder as read for this plan, and the folders below it that the
    // plan read too: the plan holds while a fresh read finds the same.
    FolderContents readFrom;
    QList<std::pair<QString, FolderContents>> readBelow;
    // Every file from where it is to where it ends; for TITLES and LIBRARY
    // also the folders made first, those emptied and removed after, and
    // every folder the change touches.
    RenamePlan renames;
    QStringList madeFolders;
    QStringList removedFolders;
    QStringList folders;
    // Whether preview below was worked out: a plan made only to run leaves
    // it out, as working it out takes as long again.
    bool previewed = false;
    // The clean-up only: the rows of its last preview, the year 2012's.
    QStringList lastPreview;
    AnswerPreview preview;
};

// What a job of SPECIAL BATCH works on: the rows that the file list shows
// through filter as the batch starts, the latest year that TITLES reads as
// a release year, and how TITLES and LIBRARY read the folders below
// (subtitle folders, and the library's folders that are there already).
struct BatchScope {
    QStringList rows;
    Wildcard filter;
    int latestYear = 0;
    FolderReader readBelow;
};

// Works out job on folder, whose entries are contents, for scope. Touches
// neither a window nor the clock, and the disk only through scope's
// readBelow, so any thread may run it. With withPreview, the plan holds
// what the box shows of it too. When stopped says so, the planning ends
// early, its plan unfinished.
BatchPlan planBatch(BatchJob job, const QString &folder, const FolderContents &contents,
                    const BatchScope &scope, bool withPreview, const std::function<bool()> &stopped = {});

// The change that performs job's plan on folder, for applyChange: the
// folders made first, then every file moved once, then the emptied folders
// removed.
ChangePlan batchChange(BatchJob job, const QString &folder, const BatchPlan &plan);
