// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/LocalFileSystem.h"

// The local machine's trash: the places reserved in it that no file has
// moved into yet (moveFile moves a file into one).

Outcome LocalFileSystem::reserveTrash(const QString &path, const QDateTime &deleted, QString &place)
{
    Trash::Place reserved;
    const Outcome outcome = Trash::reserve(path, deleted, reserved);
    if (outcome) {
        place = reserved.path;
        std::lock_guard lock(m_mutex);
        m_trashPlaces.insert_or_assign(place, std::move(reserved));
    }
    return outcome;
}

bool LocalFileSystem::releaseTrash(const QString &place)
{
    {
        std::lock_guard lock(m_mutex);
        m_trashPlaces.erase(place);
    }
    return Trash::release(place);
}
