#pragma once

#include "core/changes/ChangeJournal.h"
#include "core/changes/ChangeSchedule.h"

#include <QString>
#include <QStringList>

class Host;

// What became of a change on disk.
struct ChangeOutcome {
    // For each rename of the schedule, the path where its file stands now.
    QStringList at;
    // How many folders the change made.
    int foldersMade = 0;
    // Why the change could not be recorded, so cannot be undone; empty when
    // it was recorded.
    QString unrecorded;
};

// The one way the program changes names on disk, recorded so that the change
// can be undone and, when it is interrupted, mended: the schedule's renames
// become one list of the change (its renames, or its undo) and the record is
// saved whole before the first step; the steps run on the host, never
// replacing anything; then where each file ended and the change's state
// (finished, or undone) are added to the record. A rename the volume refuses
// leaves that file where it was and the rest go on; a file that waited under
// a temporary path and cannot reach its new one goes back to its old path,
// or, when that is taken now, to the first free counted name beside it. The
// change happens also when it cannot be recorded. A new change that moved no
// file and made no folder leaves no record.
ChangeOutcome applyChange(Host &host, ChangeJournal &journal, StoredChange &change,
                          ChangeRecord::List which, const ChangeSchedule &schedule);

// What the user is told when a change cannot be undone because its record
// could not be written.
QString cannotUndoMessage(const QString &why);
