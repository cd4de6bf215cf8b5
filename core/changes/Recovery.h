// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Outcome.h"
#include "core/changes/ChangeEngine.h"
#include "core/changes/ChangeJournal.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class FileSystem;
struct ChangeRecord;

// What an open change waits for, untouched, before it can be mended or passed.
struct Waiting {
    enum class Kind {
        FoldersAway,  // folders are missing, or another folder stands at their path
        Unreadable,   // folders cannot be read now
        FilesNowhere, // files stand at none of their old, new and temporary names
        NotOwn,       // folders are another user's: the record is not acted on
    };
    Kind kind = Kind::FoldersAway;
    QStringList folders;
    qsizetype files = 0;
    QString firstFile;

    static Waiting forFolders(Kind kind, const QStringList &folders) { return {kind, folders, 0, {}}; }
    static Waiting forFiles(const QStringList &files)
    {
        return {Kind::FilesNowhere, {}, files.size(), files.value(0)};
    }
};

// What recovery has to tell of one open change.
struct MendReport {
    enum class Kind { HeldByOther, Waits, Mended };
    Kind kind = Kind::Mended;
    // What the user did, and where.
    ChangeAction action = ChangeAction::MakeChanges;
    QString where;
    Waiting waiting;
    // A mended change: whether it was cut off (interrupted) or undoing, and
    // what mending it came to: where each file of its list stands, how many
    // stand changed (reached), and whether the record holds it.
    bool interrupted = false;
    bool undoing = false;
    ChangeOutcome outcome;
    // Each file that stood under a temporary name, with the name it got
    // (empty where it stays).
    struct Parked {
        QString temporary;
        QString placedAs;
    };
    QList<Parked> parked;
};

// What recovery has to tell: why the state folder is not used, records set
// aside or not read, and the changes it mended, that wait, or that another
// run of the program works on.
struct RecoveryReport {
    Outcome stateRefused;
    QList<JournalNote> notes;
    QList<MendReport> changes;

    bool isEmpty() const { return stateRefused && notes.isEmpty() && changes.isEmpty(); }
};

// Mends every open change of the record: one that a run of the program did
// not bring to its end (it was stopped, or its record could not be
// completed), and one that left a file under a temporary name (its volume
// failed or went away). Every file of such a change that stands under a
// temporary name goes where the change meant it to go, or back to its old
// name when that is taken now, through the change engine; everything else
// stays as it is. A change with no file left off its names is finished (so
// that it can still be undone) or, when its undo was under way, undone.
// A change waits, untouched, while one of its folders is away (missing, or
// another folder at its path: an empty mount point, another card), cannot
// be read, or while one of its files stands at none of its old, new and
// temporary names; one that another run of the program works on is left to
// it. One whose folders are another user's is never acted on (the record may
// not be this program's). A file that a move by hard link left under two
// names is one file: it keeps the name it was going to. Records that cannot
// be read now are tried again later; those whose content is wrong are set
// aside; none is read when the state folder is refused. The report names what was mended (a change
// whose record only missed its end, with no file off its names, is mended
// without a word), what was set aside, and what waits: each waiting change
// once (unless quietAboutWaiting, which tells none), not at every start.
RecoveryReport recoverOpenChanges(FileSystem &fileSystem, bool quietAboutWaiting = false);

// What an open change must wait for before it can be mended or passed;
// nothing when it need not wait.
std::optional<Waiting> whyChangeWaits(FileSystem &fileSystem, const ChangeRecord &record);
