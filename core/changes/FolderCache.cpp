// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/changes/FolderCache.h"

#include "core/base/Paths.h"
#include "core/host/FileSystem.h"

FolderModel &FolderCache::folder(const QString &folder)
{
    auto found = m_models.find(folder);
    if (found == m_models.end()) {
        const FolderContents contents = m_fileSystem.readFolder(folder);
        if (!contents.readable)
            m_unreadable << folder;
        found = m_models.emplace(folder, FolderModel(contents)).first;
    }
    return found->second;
}

FolderModel &FolderCache::folderOf(const QString &path)
{
    return folder(Paths::folderPart(path));
}

int FolderCache::entryAt(const QString &path)
{
    return folderOf(path).find(Paths::lastComponent(path));
}

bool FolderCache::holds(const QString &path)
{
    return folderOf(path).holds(Paths::lastComponent(path));
}

FileIdentity FolderCache::identityAt(const QString &path)
{
    const FileIdentity listed = folderOf(path).identity(entryAt(path));
    return listed.known() ? listed : m_fileSystem.identify(path);
}
