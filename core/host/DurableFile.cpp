#include "core/host/DurableFile.h"

#include "core/base/Paths.h"
#include "core/host/Descriptor.h"
#include "core/host/NativePath.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef Q_OS_UNIX
namespace {

// Has the folder's entries (a new or replaced name) on the disk.
void syncFolderOf(const QString &path)
{
    const int folder = ::open(NativePath(Paths::folderPart(path)).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

// A file beside path under a name no other writer uses, written whole and
// synced; returns its path, or the empty text with errno set. With locked,
// the file stays open under an exclusive lock, its descriptor there.
QString writeBeside(FileWriter &writer, const QString &path, const QByteArray &content, int mode,
                    int *locked = nullptr)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString temporary = QStringLiteral("%1.%2-%3.tmp")
                                      .arg(path)
                                      .arg(::getpid())
                                      .arg(attempt);
        const NativePath native(temporary);
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        const bool written = (!locked || ::flock(fd, LOCK_EX) == 0)
            && writer.writeAll(fd, content, path) && writer.syncData(fd, path);
        int error = errno;
        if (written && locked) {
            *locked = fd;
            return temporary;
        }
        if (::close(fd) != 0 && written)
            error = errno;
        else if (written)
            return temporary;
        ::unlink(native.constData());
        errno = error;
        return {};
    }
    errno = EEXIST;
    return {};
}

} // namespace

bool FileWriter::writeAll(int fd, const QByteArray &bytes, const QString &)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool FileWriter::syncData(int fd, const QString &)
{
    return ::fdatasync(fd) == 0;
}

namespace DurableFile {

Outcome create(FileWriter &writer, const QString &path, const QByteArray &content, int *locked)
{
    int fd = -1;
    const QString temporary = writeBeside(writer, path, content, 0600, locked ? &fd : nullptr);
    if (temporary.isEmpty())
        return Outcome::systemError(errno);
    // A link never replaces: of two writers that want one name, one gets it.
    // Volumes without links take a rename that must not replace instead.
    int linked = ::link(NativePath(temporary).constData(), NativePath(path).constData());
    if (linked != 0 && (errno == EPERM || errno == EOPNOTSUPP))
        linked = ::renameat2(AT_FDCWD, NativePath(temporary).constData(), AT_FDCWD,
                             NativePath(path).constData(), RENAME_NOREPLACE);
    const int error = errno;
    ::unlink(NativePath(temporary).constData());
    if (linked != 0) {
        if (fd >= 0)
            ::close(fd);
        return Outcome::systemError(error);
    }
    syncFolderOf(path);
    if (locked)
        *locked = fd;
    return Outcome::success();
}

Outcome replace(FileWriter &writer, const QString &path, const QByteArray &content, int mode)
{
    const QString temporary = writeBeside(writer, path, content, mode);
    if (temporary.isEmpty())
        return Outcome::systemError(errno);
    if (::rename(NativePath(temporary).constData(), NativePath(path).constData()) != 0) {
        const int error = errno;
        ::unlink(NativePath(temporary).constData());
        return Outcome::systemError(error);
    }
    syncFolderOf(path);
    return Outcome::success();
}

Outcome append(FileWriter &writer, const QString &path, const QByteArray &content)
{
    const int fd = ::open(NativePath(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return Outcome::systemError(errno);
    const off_t end = ::lseek(fd, 0, SEEK_END);
    const bool written = end >= 0 && writer.writeAll(fd, content, path) && writer.syncData(fd, path);
    const int error = errno;
    if (!written && end >= 0) {
        // A cut-off line would be read as a line of its own.
        if (::ftruncate(fd, end) == 0)
            ::fdatasync(fd);
    }
    if (::close(fd) != 0 && written)
        return Outcome::systemError(errno);
    return written ? Outcome::success() : Outcome::systemError(error);
}

namespace {

// Reads bytes from offset on into content, sized as many as are wanted.
Outcome readInto(int fd, qint64 offset, QByteArray &content)
{
    qsizetype have = 0;
    int error = 0;
    while (have < content.size()) {
        const ssize_t got = ::pread(fd, content.data() + have, size_t(content.size() - have), offset + have);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            error = errno;
        if (got <= 0)
            break;
        have += got;
    }
    if (have < content.size()) {
        content.clear();
        return error != 0 ? Outcome::systemError(error) : Outcome::failure(Outcome::Why::CutShort);
    }
    return Outcome::success();
}

} // namespace

Outcome read(const QString &path, qint64 maxSize, QByteArray &content)
{
    content.clear();
    const Descriptor fd(::open(NativePath(path).constData(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!fd || ::fstat(fd.fd(), &info) != 0)
        return Outcome::systemError(errno);
    if (info.st_size > maxSize)
        return Outcome::failure(Outcome::Why::TooLarge, {}, maxSize >> 20);
    content.resize(qsizetype(info.st_size));
    return readInto(fd.fd(), 0, content);
}

Outcome readRange(const QString &path, qint64 offset, qint64 length, QByteArray &content,
                  qint64 &size)
{
    content.clear();
    const Descriptor fd(::open(NativePath(path).constData(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!fd || ::fstat(fd.fd(), &info) != 0)
        return Outcome::systemError(errno);
    size = info.st_size;
    content.resize(qsizetype(std::clamp<qint64>(size - offset, 0, length)));
    return readInto(fd.fd(), offset, content);
}

} // namespace DurableFile

#else

bool FileWriter::writeAll(int, const QByteArray &, const QString &)
{
    return false;
}

bool FileWriter::syncData(int, const QString &)
{
    return false;
}

// Elsewhere Qt's own safe writes serve, with their own checks.
namespace DurableFile {

Outcome create(FileWriter &writer, const QString &path, const QByteArray &content, int *locked)
{
    if (locked)
        *locked = -1;
    if (QFileInfo::exists(path))
        return Outcome::systemError(EEXIST);
    return replace(writer, path, content);
}

Outcome replace(FileWriter &, const QString &path, const QByteArray &content, int)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        return Outcome::failure(Outcome::Why::Other, file.errorString());
    return Outcome::success();
}

Outcome append(FileWriter &, const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::Append) || file.write(content) != content.size() || !file.flush())
        return Outcome::failure(Outcome::Why::Other, file.errorString());
    return Outcome::success();
}

Outcome read(const QString &path, qint64 maxSize, QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failure(Outcome::Why::Other, file.errorString());
    if (file.size() > maxSize)
        return Outcome::failure(Outcome::Why::TooLarge, {}, maxSize >> 20);
    content = file.readAll();
    return Outcome::success();
}

Outcome readRange(const QString &path, qint64 offset, qint64 length, QByteArray &content,
                  qint64 &size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return Outcome::failure(Outcome::Why::Other, file.errorString());
    size = file.size();
    content = file.read(length);
    return Outcome::success();
}

} // namespace DurableFile

#endif
