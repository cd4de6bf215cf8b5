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
// folder. The last Kept changes are kept. The journal only stores; changes
// are applied by applyChange (RecordedChange.h).
class ChangeJournal {
public:
    static constexpr int Kept = 50;

    explicit ChangeJournal(Host &host);

    // Every stored change, oldest first. A record that cannot be read is set
    // aside (renamed, never acted on) and a sentence about it added to setAside.
    QList<StoredChange> load(QStringList &setAside);
    // The most recent finished change of the tool, not undone yet.
    std::optional<StoredChange> latestUndoable(ChangeRecord::Tool tool, QStringList &setAside);

    // Saves a change, written whole and on the disk before it returns; a new
    // one gets the next file and the oldest beyond Kept go. False, with the
    // reason, when the state folder cannot be written.
    bool save(StoredChange &change, QString &whyNot);
    // Adds to a saved change where the files of one of its lists ended, and
    // its state: a short append, not a new copy. A stop in the middle of it
    // leaves the change as saved before.
    void complete(const StoredChange &change, ChangeRecord::List which);
    // Forgets a change.
    void remove(const StoredChange &change);

private:
    QString pathOf(const QString &file) const;
    // The record files, oldest first.
    QStringList files() const;
    // One record; nothing, and the record set aside, when it cannot be read.
    std::optional<StoredChange> read(const QString &file, QStringList &setAside);

    Host &m_host;
    QString m_folder;
};
