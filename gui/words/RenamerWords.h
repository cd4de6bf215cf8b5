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

private:
    // Of TITLES and LIBRARY: how many films, episodes and sidecars change.
    static QString releaseKinds(const AnswerPreview::Releases &releases);
};
