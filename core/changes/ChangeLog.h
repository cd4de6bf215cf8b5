#pragma once

#include "core/changes/ChangeRecord.h"
#include "core/changes/RenamePlan.h"

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

// The change record of the program: every change to names on disk, one
// file each in the state folder, written before the change is applied and
// completed after it. The last Kept changes are kept.
class ChangeLog {
public:
    static constexpr int Kept = 50;

    explicit ChangeLog(Host &host);

    // Every stored change, oldest first. A record that cannot be read is set
    // aside (renamed, never acted on) and a sentence about it added to setAside.
    QList<StoredChange> load(QStringList &setAside);
    // The most recent finished change of the tool, not undone yet.
    std::optional<StoredChange> latestUndoable(ChangeRecord::Tool tool, QStringList &setAside);

    // Saves a change, written whole and on the disk before it returns; a new
    // one gets the next file and the oldest beyond Kept go. False, with the
    // reason, when the state folder cannot be written.
    bool save(StoredChange &change, QString &whyNot);

    // Adds to a saved change where the files of one of its lists (renames or
    // undo) ended, and its state: a short append, not a new copy. A stop in
    // the middle of it leaves the change as saved before.
    void complete(const StoredChange &change, const QList<RecordedRename> &list);
    // Forgets a change that turned out to change nothing.
    void remove(const StoredChange &change);

    // Performs a plan as part of a change, recorded: the plan's renames, with
    // the temporary names its schedule needs, become `renames` (a list of the
    // change's record), saved before the first rename; afterwards where each
    // file ended and the state `after` are saved. The change happens also when
    // it cannot be recorded; unsaved then says why. Returns where each file
    // of the plan stands.
    QStringList apply(StoredChange &change, QList<RecordedRename> &renames,
                      const RenamePlan &plan, ChangeRecord::State after, QString &unsaved);

private:
    QString pathOf(const QString &file) const;
    // The record files, oldest first.
    QStringList files() const;
    // One record; nothing, and the record set aside, when it cannot be read.
    std::optional<StoredChange> read(const QString &file, QStringList &setAside);

    Host &m_host;
    QString m_folder;
};

// What the user is told when a change cannot be undone because its record
// could not be written.
QString cannotUndoMessage(const QString &why);
