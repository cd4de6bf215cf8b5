// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/renamer/BatchJob.h"
#include "core/renamer/DeleteToTrash.h"
#include "core/renamer/RenamePlanner.h"

#include <QCoreApplication>
#include <QString>

// What the renamer tells the user of its previews, SPECIAL BATCH and the
// Delete key: every sentence made here, translatable.
class RenamerWords {
    Q_DECLARE_TR_FUNCTIONS(RenamerWords)
public:
    // What will really happen to a file whose preview row shows a new name
    // that it will not get; empty for a row that it will.
    static QString warning(const EntryOutcome &outcome);
    // The line that sums up what an answer of SPECIAL BATCH does.
    static QString summary(const AnswerPreview &preview);
    // What the user is told of the Delete key; empty when the file went to
    // the trash as it should.
    static QString deleted(const DeleteReport &report);

    // SPECIAL BATCH's question: its prompt and title, the answer its field
    // holds at first, and the line under the field that names the answers.
    static QString batchPrompt();
    static QString batchTitle();
    static QString batchDefaultAnswer();
    static QString batchAnswers();
    // Any other answer than the batch's own.
    static QString batchCancelled();
    // The user stopped a batch while its plan was made: nothing was renamed.
    static QString stoppedBeforePlan();
    // The end of the clean-up batch: completed, with what went wrong where
    // something did; what it came to where it was stopped.
    static QString cleanUpEnded(const ChangeOutcome &outcome);

private:
    // Of TITLES and LIBRARY: how many films, episodes and sidecars change.
    static QString releaseKinds(const AnswerPreview::Releases &releases);
};
