#include "core/host/LocalFileSystem.h"

#include <QFileInfo>
#include <QStringEncoder>

// LocalFileSystem's files: reads, durable writes and locks (the change
// records through the state folder that was checked), the trash and the
// state folder.

#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

#ifdef Q_OS_LINUX

bool LocalFileSystem::lockFile(const QString &path)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_locks.contains(path))
            return true;
    }
    const At at = resolve(path);
    const int fd = at.error == 0 ? ::openat(at.folder, at.path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC) : -1;
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
    return at.error != 0 ? Outcome::systemError(at.error) : DurableFile::read(at.file(path), maxSize, content);
}

Outcome LocalFileSystem::readFileRange(const QString &path, qint64 offset, qint64 length,
                                       QByteArray &content, qint64 &size)
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
    return at.error != 0 ? Outcome::systemError(at.error) : DurableFile::append(*this, at.file(path), content);
}

bool LocalFileSystem::removeFile(const QString &path)
{
    const At at = resolve(path);
    struct statx info {};
    return at.error == 0
        && ::statx(at.folder, at.path.constData(), AT_SYMLINK_NOFOLLOW, STATX_TYPE, &info) == 0
        && S_ISREG(info.stx_mode) && ::unlinkat(at.folder, at.path.constData(), 0) == 0;
}

Outcome LocalFileSystem::writeTextFile(const QString &path, const QStringList &lines,
                                       const QString &lineEnd, bool executable)
{
    const At at = resolve(path);
    return at.error != 0 ? Outcome::systemError(at.error)
                         : DurableFile::replace(*this, at.file(path), encodedLines(lines, lineEnd),
                                                executable ? 0777 : 0666);
}

#else

bool LocalFileSystem::lockFile(const QString &)
{
    return true;
}

void LocalFileSystem::unlockFile(const QString &)
{
}

Outcome LocalFileSystem::readFile(const QString &path, qint64 maxSize, QByteArray &content)
{
    return DurableFile::read({0, nullptr, path}, maxSize, content);
}

Outcome LocalFileSystem::readFileRange(const QString &path, qint64 offset, qint64 length,
                                       QByteArray &content, qint64 &size)
{
    return DurableFile::readRange({0, nullptr, path}, offset, length, content, size);
}

Outcome LocalFileSystem::createFile(const QString &path, const QByteArray &content)
{
    return DurableFile::create(*this, {0, nullptr, path}, content);
}

Outcome LocalFileSystem::appendToFile(const QString &path, const QByteArray &content)
{
    return DurableFile::append(*this, {0, nullptr, path}, content);
}

bool LocalFileSystem::removeFile(const QString &path)
{
    return QFileInfo(path).isFile() && QFile::remove(path);
}

Outcome LocalFileSystem::writeTextFile(const QString &path, const QStringList &lines,
                                       const QString &lineEnd, bool executable)
{
    return DurableFile::replace(*this, {0, nullptr, path}, encodedLines(lines, lineEnd),
                                executable ? 0777 : 0666);
}

#endif

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

QString LocalFileSystem::stateFolder(Outcome *why)
{
    const Outcome opened = m_state.open();
    if (why)
        *why = opened;
    return opened ? m_state.path() : QString();
}
