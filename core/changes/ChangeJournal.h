#pragma once

#include "core/changes/ChangeRecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Host;

// A change record as it is stored: the file that holds it, empty until it
// is first saved.
struct StoredChange {
    QString file;
    ChangeRecord record;
};

// Where the program keeps its change records: one file each in the state
// folder, numbered in the order the changes began. A record is written whole
// when its change begins and only grows after that, by additions at its end;
// while a run of the program works on a change, it holds the record's lock.
// The journal only stores; changes are applied by applyChange
// (RecordedChange.h).
class ChangeJournal {
public:
    // How many changes are kept; older ones go, but never one that is open.
    static constexpr int Kept = 50;
    // How many of the newest records are looked at, at most.
    static constexpr int Looked = 300;
    // A record larger than this is not read.
    static constexpr qint64 LargestRecord = 64 << 20;

    explicit ChangeJournal(Host &host);

    // The newest stored changes (at most Looked), oldest first. A record that
    // cannot be read is set aside once (renamed, never acted on) and a
    // sentence about it added to notes.
    QList<StoredChange> load(QStringList &notes);
    // The most recent finished change of the tool, not undone yet.
    std::optional<StoredChange> latestUndoable(ChangeRecord::Tool tool, QStringList &notes);

    // Stores a new change under the next free number, whole and on the disk
    // before it returns, and takes its lock. The oldest closed records beyond
    // Kept go. Fails, with the reason, when the state folder cannot be written.
    Outcome begin(StoredChange &change);
    // Takes the lock of a stored change, to undo or mend it; false while
    // another run of the program works on it.
    bool take(const StoredChange &change);
    // Lets go of the change's lock.
    void release(const StoredChange &change);
    // Adds lines to the end of a stored change, on the disk before it
    // returns; on failure the record stays as it was.
    Outcome add(const StoredChange &change, const QByteArray &lines);
    // Forgets a change.
    void remove(const StoredChange &change);

private:
    QString pathOf(const QString &file) const;
    // The record files, oldest first.
    QStringList files() const;
    // One record; nothing, and the record set aside, when it cannot be read.
    std::optional<StoredChange> read(const QString &file, QStringList &notes);
    // Removes the oldest closed records beyond Kept.
    void prune(const QStringList &files);

    Host &m_host;
    QString m_folder;
};
