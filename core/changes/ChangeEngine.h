// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/ChangeJournal.h"
#include "core/base/WorkProgress.h"
#include "core/changes/ChangeSchedule.h"

#include <QString>
#include <QStringList>

class FileSystem;

// A new change as a tool hands it to the engine: what it is, the folders it
// may touch (those it makes among them), and the steps that perform it.
struct ChangePlan {
    // What the user did, as the record keeps it.
    ChangeAction action = ChangeAction::MakeChanges;
    // Every folder the change may touch; no path of the schedule lies elsewhere.
    QStringList folders;
    QStringList madeFolders;
    // Folders inside the others that the change empties and then removes
    // (a subtitles folder whose files went beside their video); undo makes
    // them again.
    QStringList removedFolders;
    bool caseBlind = false;
    bool intoTrash = false;
    ChangeSchedule schedule;
};

// What became of a change on disk.
struct ChangeOutcome {
    // For each rename of the schedule, the path where its file stands now.
    QStringList at;
    // How many of them reached their new path.
    qsizetype reached = 0;
    // How many folders the change made.
    int foldersMade = 0;
    // Each file that did not reach its new path although it was asked to,
    // in the order of the steps, with the volume's reason.
    struct Failure {
        QString path;
        Outcome why;
    };
    QList<Failure> failures;
    // How many files were not tried at all, their folder gone.
    qsizetype untried = 0;
    // How many files were not tried because one file could neither reach its
    // new name nor go back from its temporary one: no other was parked.
    qsizetype heldBack = 0;
    // Whether the user stopped the change before its end: every file is at
    // its old name or its new one.
    bool stopped = false;
    // The files left under a temporary name: the change stays open, for
    // recovery (at the next start, or before an undo) to mend.
    QStringList stranded;
    // The folders that were moved during the change (now where they are) or
    // went away (now empty).
    struct MovedFolder {
        QString folder;
        QString now;
    };
    QList<MovedFolder> movedFolders;
    // Whether the record holds the change: success when it holds it whole,
    // else why not. With beginningRecorded, it holds all but its end (where
    // its files ended), which recovery finds out.
    Outcome recorded;
    bool beginningRecorded = false;
    // Whether Ctrl+Z undoes this change now (for an undo: tries its files
    // once more): its record holds it whole and is kept, as it moved a file
    // or made a folder.
    bool undoable = false;
    // Whether nothing was done because the change holds too many names for
    // one record; recorded says so.
    bool refused = false;
};

// The one way the program changes names on disk, recorded so that the change
// can be undone and, when it is interrupted, mended. A new change is stored
// whole before its first step, with which file each rename moves and which
// folder each of its folders is; an undo, and recovery's mending, add their
// lists to the change's record. The folders of the change are pinned while
// it runs: a folder moved, or replaced by another or by a link, is never
// followed. The steps run on the host, never replacing anything: a rename
// the volume refuses leaves that file where it was and the rest go on; a
// file that waited under a temporary path and cannot reach its new one goes
// back to its old path, and when even that fails it stays, no other file is
// parked after it, and the change stays open. Where the volume of a folder
// goes away, the steps in it stop. Then where each file ended and the
// change's state are added to the record: finished (or, for an undo,
// undone; finished again, to be tried once more, where renames failed) or,
// with a file under a temporary name, open. A new change happens also when
// it cannot be recorded, but not when it holds too many names for its
// record; one that moved no file and made no folder leaves no record, and
// one with nothing to do touches nothing. With
// progress, the steps are reported as they go, and a stop asked for ends the
// change between two renames, with no file under a temporary name.
ChangeOutcome applyChange(FileSystem &fileSystem, const ChangePlan &plan, WorkProgress *progress = nullptr);

// Undoes a stored change by the schedule's renames (each file from where
// the change put it back to where it was), recorded as the change's undo.
ChangeOutcome applyUndo(FileSystem &fileSystem, ChangeJournal &journal, StoredChange &change,
                        const ChangeSchedule &schedule, WorkProgress *progress = nullptr);

// Mends an open change whose lock the caller holds, where the files of
// list stand as the record says: each file under its temporary name goes to
// its new name, else back to its old one; a file that a move by hard link
// left under two names is moved on, so that it keeps the name it was going
// to; then the change's state follows from where its files stand, and both
// are added to its record.
ChangeOutcome mendChange(FileSystem &fileSystem, ChangeJournal &journal, StoredChange &change,
                         ChangeRecord::List which);

// The folders of a change that are away now: missing (their drive is not
// mounted, or they were removed) or another folder at their path (an empty
// mount point while the drive is away, another card of the same make). Only
// folders whose identity the record knows are looked at; a change in them
// waits until they are back.
QStringList foldersAway(FileSystem &fileSystem, const ChangeRecord &record);

// The folders of a change that another user owns: a record that names one is
// never acted on, as it may not be this program's own.
QStringList othersFolders(FileSystem &fileSystem, const ChangeRecord &record);
