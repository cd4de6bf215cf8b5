// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/NameKey.h"
#include "core/host/FileSystem.h"
#include "core/changes/RenamePlan.h"

#include <QList>
#include <QHash>
#include <QMultiHash>
#include <QString>

// One folder's names in memory, as its volume compares them: what the rename
// planner renames instead of the disk. Entries are numbered from 0 in the
// order the folder gave them and keep their number when renamed.
class FolderModel {
public:
    explicit FolderModel(const FolderContents &contents);

    bool caseBlind() const { return m_caseBlind; }
    // Which file an entry is, as the folder's listing told: its volume, its
    // inode where the volume keeps inodes, and its size and time where the
    // listing took them; nothing known for entry -1.
    FileIdentity identity(int entry) const;
    int count() const { return int(m_entries.size()); }
    const QString &name(int entry) const { return m_entries[entry].name; }
    const QString &firstName(int entry) const { return m_firstNames[entry]; }
    FolderEntry::Kind kind(int entry) const { return m_entries[entry].kind; }

    // The entry that a path built from name reaches, or -1. An entry whose
    // name is not valid in the locale's encoding is reached by no name.
    int find(const QString &name) const;
    // The entry whose name is exactly name, or -1.
    int holder(const QString &name) const;
    // Whether an entry's name is exactly name.
    bool holds(const QString &name) const { return holder(name) >= 0; }
    // Whether an entry other than self holds name. A second name of self's
    // own file (a move by hard link cut off before its unlink) is self.
    bool takenByOther(const QString &name, int self) const;
    // Whether the volume takes a name this long.
    bool fits(const QString &name) const;
    // Gives an entry a new name, which must not be taken by another.
    void rename(int entry, const QString &name);

    // Every entry whose name changed, from its first name to its present
    // one, as paths in folder.
    RenamePlan plan(const QString &folder) const;

private:
    QString key(const QString &name) const { return nameKey(name, m_caseBlind); }
    // Whether two entries are one file: one entry, or two names with one
    // inode as the listing gives it (the rename that takes one onto the
    // other finds out for sure).
    bool sameFile(int entry, int other) const;
    void hold(const QString &key, int entry);
    void release(const QString &key, int entry);

    QList<FolderEntry> m_entries;
    QStringList m_firstNames;
    // The entry holding each name, and the rare others that hold it too
    // (names that this program folds alike and the volume does not).
    QHash<QString, int> m_byKey;
    QMultiHash<QString, int> m_alsoByKey;
    bool m_caseBlind;
    int m_longestName;
    QString m_volume;
};
