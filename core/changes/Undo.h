// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/WorkProgress.h"
#include "core/changes/ChangeEngine.h"
#include "core/changes/ChangeJournal.h"
#include "core/changes/Recovery.h"

#include <QList>
#include <QString>
#include <QStringList>

class FileSystem;

// What undoing one change came to.
struct UndoReport {
    enum class Kind {
        Undone,      // the undo ran: outcome says what it came to
        HeldByOther, // another run of the program works on the change now
        Away,        // folders of the change cannot be read now, or another folder is at their path
        NotOwn,      // folders of the change are another user's: the record is not acted on
    };
    Kind kind = Kind::Undone;
    // What the user did, and where.
    ChangeAction action = ChangeAction::MakeChanges;
    QString where;
    // The folders away, or another user's.
    QStringList away;

    // What the undo's renames came to: each file it tried to put back (at),
    // how many went back (reached), whether it was stopped, and whether
    // Ctrl+Z tries the rest once more (undoable).
    ChangeOutcome outcome;
    qsizetype removedFolders = 0;
    // A file that was not put back, and why.
    struct NotPutBack {
        enum class Why {
            Gone,         // it is no longer where the change put it
            Replaced,     // another file has taken its name since
            OldNameTaken, // its old name (oldName) is taken now
            Failed,       // its rename failed: failure says why
            FolderWent,   // its folder went away during the undo
        };
        Why why = Why::Gone;
        QString path;
        QString oldName;
        Outcome failure;

        NotPutBack(Why why, const QString &path, const QString &oldName = {}, const Outcome &failure = {})
            : why(why)
            , path(path)
            , oldName(oldName)
            , failure(failure)
        {}
    };
    QList<NotPutBack> notPutBack;
    // Folders the change made that are kept, not being empty.
    QStringList keptFolders;
};

// What Ctrl+Z came to.
struct UndoLatestReport {
    // What recovery mended first, and the records set aside or not read.
    RecoveryReport mended;
    QList<JournalNote> notes;
    // Newer changes passed over: each waits (it is open), or its folders
    // are away.
    struct Passed {
        ChangeAction action;
        QString where;
        Waiting waiting;
        bool waits = false;
    };
    QList<Passed> passed;
    enum class Result {
        Undone,     // undone: the change's report
        Blocked,    // a newer change is not complete in its record (undone names it;
                    // stateFolder: where records are)
        NotReadNow, // a newer record cannot be read now: nothing older is undone
        NothingToUndo,
    };
    Result result = Result::NothingToUndo;
    UndoReport undone;
    QString stateFolder;
};

// Ctrl+Z: mends the open changes first, then undoes the newest finished
// change of the tool, whichever folder and run of the program it was made
// in: every file it moved goes back where it was, all in one recorded apply
// (each file renamed once, nothing replaced), and the folders it made go
// when they are empty again. Only the change's own files move: a file that
// is no longer where the change put it, another file that has taken its
// name since, and a file whose old name is taken now stay where they are;
// nothing is deleted. The change ends undone, or finished again where
// renames failed, so that Ctrl+Z can try them once more. A file whose old
// name is its own second name (a move by hard link cut off before its
// unlink) goes back to it all the same. A newer change whose folders cannot
// be read now (its drive taken away), are another user's, or that waits is
// passed over for the one before it, and the report says so. A stop asked
// for through progress ends the undo between two renames.
UndoLatestReport undoLatest(FileSystem &fileSystem, ChangeRecord::Tool tool,
                            WorkProgress *progress = nullptr);
