// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/renamer/RenamePlanner.h"

#include <QList>
#include <QString>
#include <optional>

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
    // In the order of the file list; for TITLES and LIBRARY, before and
    // after are paths below the folder ("Subs/English.srt",
    // "MOVIES/TITLE (YEAR)/TITLE (YEAR).MKV").
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
    // TITLES and LIBRARY: how many of the names that change are films',
    // episodes' and sidecars', how many folders are made, and how many
    // releases get a version label.
    struct Releases {
        qsizetype films = 0;
        qsizetype episodes = 0;
        qsizetype sidecars = 0;
        qsizetype folders = 0;
        qsizetype labelled = 0;
    };
    // Only for TITLES and LIBRARY.
    std::optional<Releases> releases;
};
