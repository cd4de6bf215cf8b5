// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/LocalFileSystem.h"

#include <QStringEncoder>

// The local machine's files: reads, durable writes and locks (the change
// records through the state folder that was checked), and the state folder.

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The lines in the locale's encoding, each followed by lineEnd.
QByteArray encodedLines(const QStringList &lines, const QString &lineEnd)
{
    QStringEncoder encode(QStringConverter::System);
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += encode(line + lineEnd);
    return bytes;
}

} // namespace

bool LocalFileSystem::lockFile(const QString &path)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_locks.contains(path))
            return true;
    }
    const At at = resolve(path);
    const int fd = at.error == 0 ? ::openat(at.folder, at.path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC)
                                 : -1;
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    std::lock_guard lock(m_mutex);
    m_locks.insert(path, fd);
    return true;
}

void LocalFileSystem::unlockFile(const QString &path)
{
    std::lock_guard guard(m_mutex);
    const auto lock = m_locks.constFind(path);
    if (lock == m_locks.cend())
        return;
    ::close(*lock);
    m_locks.erase(lock);
}

Outcome LocalFileSystem::readFile(const QString &path, qint64 maxSize, QByteArray &content)
{
    const At at = resolve(path);
    return at.error != 0 ? Outcome::systemError(at.error)
                         : DurableFile::read(at.file(path), maxSize, content);
}

Outcome LocalFileSystem::readFileRange(const QString &path, qint64 offset, qint64 length, QByteArray &content,
                                       qint64 &size)
{
    const At at = resolve(path);
    return at.error != 0 ? Outcome::systemError(at.error)
                         : DurableFile::readRange(at.file(path), offset, length, content, size);
}

Outcome LocalFileSystem::createFile(const QString &path, const QByteArray &content)
{
    const At at = resolve(path);
    if (at.error != 0)
        return Outcome::systemError(at.error);
    int locked = -1;
    const Outcome created = DurableFile::create(*this, at.file(path), content, &locked);
    if (created && locked >= 0) {
        std::lock_guard lock(m_mutex);
        m_locks.insert(path, locked);
    }
    return created;
}

Outcome LocalFileSystem::appendToFile(const QString &path, const QByteArray &content)
{
    const At at = resolve(path);
    return at.error != 0 ? Outcome::systemError(at.error)
                         : DurableFile::append(*this, at.file(path), content);
}

bool LocalFileSystem::removeFile(const QString &path)
{
    const At at = resolve(path);
    struct statx info {};
    return at.error == 0
           && ::statx(at.folder, at.path.constData(), AT_SYMLINK_NOFOLLOW, STATX_TYPE, &info) == 0
           && S_ISREG(info.stx_mode) && ::unlinkat(at.folder, at.path.constData(), 0) == 0;
}

Outcome LocalFileSystem::writeTextFile(const QString &path, const QStringList &lines, const QString &lineEnd,
                                       bool executable)
{
    const At at = resolve(path);
    return at.error != 0 ? Outcome::systemError(at.error)
                         : DurableFile::replace(*this, at.file(path), encodedLines(lines, lineEnd),
                                                executable ? 0777 : 0666);
}

QString LocalFileSystem::stateFolder(Outcome *why)
{
    const Outcome opened = m_state.open();
    if (why)
        *why = opened;
    return opened ? m_state.path() : QString();
}
