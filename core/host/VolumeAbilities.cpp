// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/VolumeAbilities.h"

#include "core/host/MountTable.h"
#include "core/host/VolumeIdentity.h"

#include <fcntl.h>
#include <sys/stat.h>

QString VolumeAbilities::keyOf(int folder)
{
    if (const QString identity = VolumeIdentity::of(folder); !identity.isEmpty())
        return identity;
    struct statx info {};
    if (::statx(folder, "", AT_EMPTY_PATH, STATX_MNT_ID, &info) == 0 && (info.stx_mask & STATX_MNT_ID))
        return QStringLiteral("mount %1").arg(info.stx_mnt_id);
    return {};
}

void VolumeAbilities::forgetAfterVolumeEvents()
{
    const quint64 generation = MountTable::generation();
    std::lock_guard lock(m_mutex);
    if (generation == m_generation)
        return;
    m_generation = generation;
    m_noReplace.clear();
    m_noHardLinks.clear();
    m_tellsCase.clear();
}

VolumeAbilities::Ability VolumeAbilities::noReplace(const QString &volume)
{
    std::lock_guard lock(m_mutex);
    return m_noReplace.value(volume, Ability::Unknown);
}

void VolumeAbilities::setNoReplace(const QString &volume, Ability ability)
{
    std::lock_guard lock(m_mutex);
    if (!volume.isEmpty())
        m_noReplace.insert(volume, ability);
}

bool VolumeAbilities::lacksHardLinks(const QString &volume)
{
    std::lock_guard lock(m_mutex);
    return m_noHardLinks.contains(volume);
}

void VolumeAbilities::setLacksHardLinks(const QString &volume)
{
    std::lock_guard lock(m_mutex);
    if (!volume.isEmpty())
        m_noHardLinks.insert(volume);
}

bool VolumeAbilities::tellsCase(const QString &volume)
{
    std::lock_guard lock(m_mutex);
    return m_tellsCase.contains(volume);
}

void VolumeAbilities::setTellsCase(const QString &volume)
{
    std::lock_guard lock(m_mutex);
    if (!volume.isEmpty())
        m_tellsCase.insert(volume);
}
