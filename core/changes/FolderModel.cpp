// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/changes/FolderModel.h"

#include "core/base/Paths.h"

#include <QFile>

FolderModel::FolderModel(const FolderContents &contents)
    : m_entries(contents.entries)
    , m_caseBlind(contents.caseBlind)
    , m_longestName(contents.longestName)
    , m_volume(contents.volume)
{
    m_firstNames.reserve(m_entries.size());
    m_byKey.reserve(m_entries.size());
    for (int i = 0; i < count(); ++i) {
        m_firstNames << m_entries[i].name;
        if (m_entries[i].namable)
            hold(key(m_entries[i].name), i);
    }
}

void FolderModel::hold(const QString &key, int entry)
{
    const qsizetype before = m_byKey.size();
    int &holder = m_byKey[key];
    if (m_byKey.size() == before)
        m_alsoByKey.insert(key, entry);
    else
        holder = entry;
}

void FolderModel::release(const QString &key, int entry)
{
    const auto holder = m_byKey.find(key);
    if (holder == m_byKey.end() || *holder != entry) {
        m_alsoByKey.remove(key, entry);
        return;
    }
    m_byKey.erase(holder);
    if (const auto other = m_alsoByKey.constFind(key); other != m_alsoByKey.cend()) {
        m_byKey.insert(key, other.value());
        m_alsoByKey.remove(key, other.value());
    }
}

int FolderModel::find(const QString &name) const
{
    return m_byKey.value(key(name), -1);
}

int FolderModel::holder(const QString &name) const
{
    const QString k = key(name);
    const int first = m_byKey.value(k, -1);
    if (first >= 0 && m_entries[first].name == name)
        return first;
    for (auto it = m_alsoByKey.constFind(k); it != m_alsoByKey.cend() && it.key() == k; ++it)
        if (m_entries[it.value()].name == name)
            return it.value();
    return -1;
}

bool FolderModel::sameFile(int entry, int other) const
{
    const FolderEntry &one = m_entries[entry], &two = m_entries[other];
    return entry == other
           || (one.inode != 0 && one.inode == two.inode && one.kind == FolderEntry::File
               && two.kind == FolderEntry::File);
}

bool FolderModel::takenByOther(const QString &name, int self) const
{
    const QString k = key(name);
    const int holder = m_byKey.value(k, -1);
    if (holder >= 0 && !sameFile(holder, self))
        return true;
    for (auto it = m_alsoByKey.constFind(k); it != m_alsoByKey.cend() && it.key() == k; ++it)
        if (!sameFile(it.value(), self))
            return true;
    return false;
}

FileIdentity FolderModel::identity(int entry) const
{
    if (entry < 0)
        return {};
    const FolderEntry &listed = m_entries[entry];
    const FileIdentity identity{m_volume, listed.inode, listed.size, listed.modified};
    return identity.known() ? identity : FileIdentity{};
}

bool FolderModel::fits(const QString &name) const
{
    return name.size() <= m_longestName / 4 || QFile::encodeName(name).size() <= m_longestName;
}

void FolderModel::rename(int entry, const QString &name)
{
    release(key(m_entries[entry].name), entry);
    m_entries[entry].name = name;
    hold(key(name), entry);
}

RenamePlan FolderModel::plan(const QString &folder) const
{
    RenamePlan plan;
    plan.caseBlind = m_caseBlind;
    for (int i = 0; i < count(); ++i)
        if (m_entries[i].name != m_firstNames[i])
            plan.renames.append(
                {Paths::join(folder, m_firstNames[i]), Paths::join(folder, m_entries[i].name), identity(i)});
    // The model holds every name as it will be: those that stay and those
    // the plan gives. A root folder's paths hold a doubled separator, so the
    // folder part is taken from a path built the same way.
    const QString inFolder = Paths::folderPart(Paths::join(folder, QString()));
    plan.stays = [model = *this, inFolder](const QString &path) {
        return Paths::folderPart(path) == inFolder && model.find(Paths::lastComponent(path)) >= 0;
    };
    return plan;
}
