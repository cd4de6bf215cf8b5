// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/FolderModel.h"

#include <QString>
#include <QStringList>
#include <map>

class FileSystem;

// The folders a piece of work looks at, each read once through the host and
// kept as a model of its names, as its volume compares them.
class FolderCache {
public:
    explicit FolderCache(FileSystem &fileSystem)
        : m_fileSystem(fileSystem)
    {}

    // The folder's model, read on first use. A folder that cannot be read
    // gives an empty model and is named in unreadable().
    FolderModel &folder(const QString &folder);
    // The model of the folder that holds path.
    FolderModel &folderOf(const QString &path);
    // The entry that path reaches as its volume compares names, or -1.
    int entryAt(const QString &path);
    // Whether an entry of path's folder holds exactly path's name.
    bool holds(const QString &path);
    // Which file path names now: its inode from the folder's listing where
    // the volume keeps inodes, else as the host finds it.
    FileIdentity identityAt(const QString &path);

    // The folders that could not be read, in the order they were asked for.
    const QStringList &unreadable() const { return m_unreadable; }

private:
    FileSystem &m_fileSystem;
    std::map<QString, FolderModel> m_models;
    QStringList m_unreadable;
};
