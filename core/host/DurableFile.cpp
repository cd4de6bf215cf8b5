// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/DurableFile.h"

#include "core/base/Paths.h"
#include "core/host/Descriptor.h"
#include "core/host/NativePath.h"

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Has the folder's entries (a new or replaced name) on the disk.
void syncFolderOf(const FileAt &file)
{
    if (file.folder != AT_FDCWD) {
        ::fsync(file.folder);
        return;
    }
    const Descriptor folder(
        ::open(NativePath(Paths::folderPart(file.path)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder)
        ::fsync(folder.fd());
}

// A file beside file under a name no other writer uses, written whole and
// synced; returns its name in file's folder, or an empty name with errno
// set. With locked, the file stays open under an exclusive lock, its
// descriptor there.
QByteArray writeBeside(FileWriter &writer, const FileAt &file, const QByteArray &content, int mode,
                       int *locked = nullptr)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary = QByteArray(file.name) + '.' + QByteArray::number(::getpid()) + '-'
                                     + QByteArray::number(attempt) + ".tmp";
        const int fd = ::openat(file.folder, temporary.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        const bool written = (!locked || ::flock(fd, LOCK_EX) == 0) && writer.writeAll(fd, content, file.path)
                             && writer.syncData(fd, file.path);
        int error = errno;
        if (written && locked) {
            *locked = fd;
            return temporary;
        }
        if (::close(fd) != 0 && written)
            error = errno;
        else if (written)
            return temporary;
        ::unlinkat(file.folder, temporary.constData(), 0);
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

Outcome create(FileWriter &writer, const FileAt &file, const QByteArray &content, int *locked)
{
    int fd = -1;
    const QByteArray temporary = writeBeside(writer, file, content, 0600, locked ? &fd : nullptr);
    if (temporary.isEmpty())
        return Outcome::systemError(errno);
    // A link never replaces: of two writers that want one name, one gets it.
    // Volumes without links take a rename that must not replace instead.
    int linked = ::linkat(file.folder, temporary.constData(), file.folder, file.name, 0);
    if (linked != 0 && (errno == EPERM || errno == EOPNOTSUPP))
        linked = ::renameat2(file.folder, temporary.constData(), file.folder, file.name, RENAME_NOREPLACE);
    const int error = errno;
    ::unlinkat(file.folder, temporary.constData(), 0);
    if (linked != 0) {
        if (fd >= 0)
            ::close(fd);
        return Outcome::systemError(error);
    }
    syncFolderOf(file);
    if (locked)
        *locked = fd;
    return Outcome::success();
}

Outcome replace(FileWriter &writer, const FileAt &file, const QByteArray &content, int mode)
{
    const QByteArray temporary = writeBeside(writer, file, content, mode);
    if (temporary.isEmpty())
        return Outcome::systemError(errno);
    if (::renameat(file.folder, temporary.constData(), file.folder, file.name) != 0) {
        const int error = errno;
        ::unlinkat(file.folder, temporary.constData(), 0);
        return Outcome::systemError(error);
    }
    syncFolderOf(file);
    return Outcome::success();
}

Outcome append(FileWriter &writer, const FileAt &file, const QByteArray &content)
{
    const int fd = ::openat(file.folder, file.name, O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return Outcome::systemError(errno);
    const off_t end = ::lseek(fd, 0, SEEK_END);
    const bool written = end >= 0 && writer.writeAll(fd, content, file.path)
                         && writer.syncData(fd, file.path);
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

Outcome read(const FileAt &file, qint64 maxSize, QByteArray &content)
{
    content.clear();
    const Descriptor fd(::openat(file.folder, file.name, O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!fd || ::fstat(fd.fd(), &info) != 0)
        return Outcome::systemError(errno);
    if (info.st_size > maxSize)
        return Outcome::failure(Outcome::Why::TooLarge, {}, maxSize >> 20);
    content.resize(qsizetype(info.st_size));
    return readInto(fd.fd(), 0, content);
}

Outcome readRange(const FileAt &file, qint64 offset, qint64 length, QByteArray &content, qint64 &size)
{
    content.clear();
    const Descriptor fd(::openat(file.folder, file.name, O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!fd || ::fstat(fd.fd(), &info) != 0)
        return Outcome::systemError(errno);
    size = info.st_size;
    content.resize(qsizetype(std::clamp<qint64>(size - offset, 0, length)));
    return readInto(fd.fd(), offset, content);
}

} // namespace DurableFile
