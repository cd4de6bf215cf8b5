// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/LocalFileSystem.h"

#include "core/base/Paths.h"
#include "core/host/StatFields.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

// The local machine's pinned folders: a change holds each of its folders by
// a descriptor, and every path inside one is reached through it.

LocalFileSystem::At LocalFileSystem::resolve(const QString &path) const
{
    const qsizetype cut = path.lastIndexOf(Paths::separator());
    // A record is reached through the state folder that was checked.
    if (cut > 0 && QStringView(path).left(cut) == m_state.path()) {
        std::shared_ptr<const Descriptor> state = m_state.descriptor();
        if (!state)
            return {{}, {}, AT_FDCWD, NativePath(path), {}, EACCES};
        const int fd = state->fd();
        return {{}, std::move(state), fd, NativePath(QStringView(path).mid(cut + 1)), {}};
    }
    std::lock_guard lock(m_mutex);
    if (m_pins.isEmpty())
        return {{}, {}, AT_FDCWD, NativePath(path), {}};
    if (cut > 0 && !m_lastPinned.isEmpty() && QStringView(path).left(cut) == m_lastPinned)
        return {{},
                m_lastPin.folder,
                m_lastPin.folder->fd(),
                NativePath(QStringView(path).mid(cut + 1)),
                m_lastPin.volume};
    QString below;
    for (QString folder = Paths::folderPart(path); !folder.isEmpty();) {
        const auto pin = m_pins.constFind(folder);
        if (pin != m_pins.cend()) {
            const NativePath name(Paths::lastComponent(path));
            if (below.isEmpty()) {
                m_lastPinned = folder;
                m_lastPin = *pin;
                return {{}, pin->folder, pin->folder->fd(), name, pin->volume};
            }
            // A folder below the pinned one is reached through it and
            // never through a link that has taken a folder's place.
            Descriptor opened = openFolderBeneath(pin->folder->fd(), NativePath(below).constData());
            const int fd = opened.fd();
            return {std::move(opened), {}, fd, name, pin->volume, fd < 0 ? (errno != 0 ? errno : ENOENT) : 0};
        }
        const QString up = Paths::folderPart(folder);
        if (up == folder)
            break;
        below = below.isEmpty() ? Paths::lastComponent(folder) : Paths::lastComponent(folder) + u'/' + below;
        folder = up;
    }
    return {{}, {}, AT_FDCWD, NativePath(path), {}};
}

Outcome LocalFileSystem::pinFolder(const QString &folder)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_pins.contains(folder))
            return Outcome::success();
    }
    // The folder itself is never a link that took its place; only where the
    // user's own path ends in a link (a folder reached through one) is it
    // followed, as the user's choice.
    const NativePath native(folder);
    int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == ELOOP)
        fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Outcome::systemError(errno);
    auto opened = std::make_shared<const Descriptor>(fd);
    const QString volume = VolumeAbilities::keyOf(fd);
    // Another drive may have come in the slot of the last one.
    m_abilities.forgetAfterVolumeEvents();
    std::lock_guard lock(m_mutex);
    m_pins.insert(folder, {std::move(opened), volume});
    return Outcome::success();
}

void LocalFileSystem::unpinFolder(const QString &folder)
{
    std::lock_guard lock(m_mutex);
    const auto pin = m_pins.constFind(folder);
    if (pin == m_pins.cend())
        return;
    m_pins.erase(pin);
    m_lastPinned.clear();
    m_lastPin = {};
}

QString LocalFileSystem::pinnedFolderNow(const QString &folder)
{
    std::unique_lock lock(m_mutex);
    const auto found = m_pins.constFind(folder);
    if (found == m_pins.cend())
        return folder;
    const std::shared_ptr<const Descriptor> held = found->folder;
    lock.unlock();
    const int fd = held->fd();
    // Asked of the volume itself: the kernel's cached answer would outlive a
    // drive that was pulled.
    struct statx pinned {};
    if (::statx(fd, "", AT_EMPTY_PATH | AT_STATX_FORCE_SYNC, STATX_INO | STATX_NLINK, &pinned) != 0
        || pinned.stx_nlink == 0)
        return {};
    // Still where it was, and not replaced by another folder or a link.
    struct statx there {};
    if (::statx(AT_FDCWD, NativePath(folder).constData(), 0, STATX_INO, &there) == 0
        && deviceOf(there) == deviceOf(pinned) && there.stx_ino == pinned.stx_ino)
        return folder;
    char target[4096];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t length = ::readlink(link.constData(), target, sizeof target);
    if (length <= 0 || size_t(length) >= sizeof target)
        return {};
    return QFile::decodeName(QByteArray(target, length));
}
