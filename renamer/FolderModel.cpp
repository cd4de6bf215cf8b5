#include "renamer/FolderModel.h"

#include "app/Paths.h"

#include <QFile>

FolderModel::FolderModel(const FolderContents &contents)
    : m_entries(contents.entries), m_caseBlind(contents.caseBlind),
      m_longestName(contents.longestName)
{
    m_firstNames.reserve(m_entries.size());
    m_byKey.reserve(m_entries.size());
    for (int i = 0; i < count(); ++i) {
        m_firstNames << m_entries[i].name;
        if (m_entries[i].namable)
            m_byKey.insert(key(m_entries[i].name), i);
    }
}

int FolderModel::find(const QString &name) const
{
    return m_byKey.value(key(name), -1);
}

bool FolderModel::takenByOther(const QString &name, int self) const
{
    const QString k = key(name);
    for (auto it = m_byKey.constFind(k); it != m_byKey.cend() && it.key() == k; ++it)
        if (it.value() != self)
            return true;
    return false;
}

bool FolderModel::fits(const QString &name) const
{
    return name.size() <= m_longestName / 4 || QFile::encodeName(name).size() <= m_longestName;
}

void FolderModel::rename(int entry, const QString &name)
{
    m_byKey.remove(key(m_entries[entry].name), entry);
    m_entries[entry].name = name;
    m_byKey.insert(key(name), entry);
}

RenamePlan FolderModel::plan(const QString &folder) const
{
    RenamePlan plan;
    plan.caseBlind = m_caseBlind;
    for (int i = 0; i < count(); ++i)
        if (m_entries[i].name != m_firstNames[i])
            plan.renames.append({Paths::join(folder, m_firstNames[i]),
                                 Paths::join(folder, m_entries[i].name)});
    // The model holds every name as it will be: those that stay and those
    // the plan gives.
    plan.stays = [model = *this, folder](const QString &path) {
        return Paths::folderPart(path) == Paths::folderPart(Paths::join(folder, QString()))
            && model.find(Paths::lastComponent(path)) >= 0;
    };
    return plan;
}
