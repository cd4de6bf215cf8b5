// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/ChangeRecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class FileSystem;

// A change record as it is stored: the file that holds it (empty until it is
// first saved), its size there, and whether the record holds every line of
// it or only the summary of it: what the user did, its state and
// whether the user was told that it waits.
struct StoredChange {
    QString file;
    ChangeRecord record;
    qint64 size = 0;
    bool whole = true;
};

// What the user is told of a record that was set aside, or could not be.
struct JournalNote {
    enum class Kind {
        SetAside,    // its content is wrong: renamed to aside, never used again
        NotSetAside, // its content is wrong, and outcome says why it could not be set aside
        NotReadNow,  // outcome says why it cannot be read now; it is tried again later
    };
    Kind kind = Kind::SetAside;
    QString record; // the record's path
    QString aside;
    RecordFault fault;
    Outcome outcome;
};

// Where the program keeps its change records: one file each in the state
// folder (private to the user), numbered in the order the changes began. A
// record is written whole when its change begins and only grows after that,
// by additions at its end, never past LargestRecord; while a run of the
// program works on a change, it holds the record's lock. A record whose
// content is wrong is set aside once (renamed, never acted on); one that
// cannot be read now (the disk is busy, the program has too many files
// open) stays as it is and is tried again later. The journal only stores;
// changes are applied by the change engine (ChangeEngine.h).
class ChangeJournal {
public:
    // How many changes are kept; older ones go, but never one that is open.
    static constexpr int ChangesKept = 50;
    // How many of the newest records are looked at, at most.
    static constexpr int RecordsLookedAt = 300;
    // The most a record may hold on the disk.
    static constexpr qint64 LargestRecord = 64 << 20;

    // The journal of the file system's state folder, checked before any
    // record is read or written (FileSystem::stateFolder).
    explicit ChangeJournal(FileSystem &fileSystem);

    // Where the program keeps the user's records, the state folder it makes
    // its file system with: $XDG_STATE_HOME/tamsells-file-utilities, or
    // ~/.local/state/tamsells-file-utilities where XDG_STATE_HOME names no
    // absolute folder.
    static QString defaultFolder();

    // Why the state folder is not used (it cannot be made, or is not the
    // user's alone): then no record is read or written. Success when it is.
    const Outcome &refused() const { return m_refused; }

    // The summaries of the newest stored changes (at most RecordsLookedAt), oldest
    // first: each record read at its two ends only (whole only where an
    // undo's list follows its last state), each byte looked at once, so
    // that a start looks at hundreds of large records at once. A record that
    // ends in more than a line without a line break is set aside. A note is
    // added about each record that was set aside or cannot be read now.
    QList<StoredChange> summaries(QList<JournalNote> &notes);
    // Reads the whole record of a summary; when it is set aside, or cannot
    // be read now, a note about it is added.
    enum class Reading { Whole, SetAside, NotNow };
    Reading readWhole(StoredChange &change, QList<JournalNote> &notes);
    // The most recent finished change of the tool, not undone yet, whole.
    std::optional<StoredChange> latestUndoable(ChangeRecord::Tool tool, QList<JournalNote> &notes);

    // Stores a new change under the next free number, whole and on the disk
    // before it returns, and takes its lock. The oldest closed records beyond
    // ChangesKept go. Fails, with the reason, when the state folder cannot be
    // written, or when the change holds too many names for its record to
    // stay within LargestRecord as it grows (an undo adds as much again).
    Outcome begin(StoredChange &change);
    // Takes the lock of a stored change, to undo or mend it; false while
    // another run of the program works on it.
    bool take(const StoredChange &change);
    // Lets go of the change's lock.
    void release(const StoredChange &change);
    // Adds lines to the end of a stored change, on the disk before it
    // returns; on failure (also when the record would pass LargestRecord)
    // the record stays as it was.
    Outcome add(StoredChange &change, const QByteArray &lines);
    // Forgets a change.
    void remove(const StoredChange &change);

private:
    QString pathOf(const QString &file) const;
    // The record files, oldest first.
    QStringList files() const;
    // A record's summary; nothing when it is set aside or cannot be read now.
    std::optional<StoredChange> summary(const QString &file, QList<JournalNote> &notes);
    // The state of a record from its last state line in tail, its last
    // bytes (whole: all of it), and whether the user was told that it waits
    // since; false when tail holds none, with fault BadEnd where the record
    // ends in more than a line without a line break.
    static bool stateInTail(QByteArrayView tail, bool whole, ChangeRecord &record, RecordFault &fault);
    // Renames a record whose content is wrong so that it is never read again,
    // with a note about it.
    void setAside(const QString &file, const RecordFault &fault, QList<JournalNote> &notes);
    // Removes the oldest closed records beyond ChangesKept.
    void prune(const QStringList &files);

    FileSystem &m_fileSystem;
    Outcome m_refused;
    QString m_folder;
};
