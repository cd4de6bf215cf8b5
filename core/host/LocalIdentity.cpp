// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/LocalFileSystem.h"

#include "core/base/Paths.h"
#include "core/host/StatFields.h"
#include "core/host/VolumeIdentity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

// The local machine's word on which file or folder a path names: its
// volume's own identity, with its inode where the volume keeps inodes, else
// its size and time.

FileIdentity LocalFileSystem::identify(const QString &path)
{
    const At at = resolve(path);
    struct statx info {};
    if (at.error != 0
        || ::statx(at.folder, at.path.constData(), AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_SIZE | STATX_MTIME,
                   &info)
               != 0)
        return {};
    const Descriptor opened(at.folder == AT_FDCWD ? openForListing(Paths::folderPart(path)) : -1);
    const int folder = at.folder == AT_FDCWD ? opened.fd() : at.folder;
    FileIdentity identity;
    struct statfs volume {};
    if (folder >= 0) {
        identity.volume = VolumeIdentity::of(folder);
        if (::fstatfs(folder, &volume) == 0 && keepsInodes(long(volume.f_type)))
            identity.inode = info.stx_ino;
    }
    if (identity.inode == 0 || identity.volume.isEmpty()) {
        identity.size = qint64(info.stx_size);
        identity.modified = nanoseconds(info.stx_mtime);
    }
    return identity;
}

FolderIdentity LocalFileSystem::identifyFolder(const QString &folder)
{
    const Descriptor opened(::open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct statx info {};
    // Asked of the volume itself: the kernel's cached answer would outlive a
    // drive that was pulled.
    if (!opened
        || ::statx(opened.fd(), "", AT_EMPTY_PATH | AT_STATX_FORCE_SYNC, STATX_TYPE | STATX_INO, &info) != 0)
        return {};
    FolderIdentity identity;
    struct statfs volume {};
    if (::fstatfs(opened.fd(), &volume) == 0 && keepsInodes(long(volume.f_type)))
        identity.inode = info.stx_ino;
    identity.volume = VolumeIdentity::of(opened.fd());
    return identity;
}

bool LocalFileSystem::isSecondName(const QString &path, const QString &first)
{
    const At at = resolve(path), of = resolve(first);
    struct statx one {
    }, other{};
    const unsigned mask = STATX_TYPE | STATX_INO | STATX_NLINK;
    return at.error == 0 && of.error == 0
           && ::statx(at.folder, at.path.constData(), AT_SYMLINK_NOFOLLOW, mask, &one) == 0
           && ::statx(of.folder, of.path.constData(), AT_SYMLINK_NOFOLLOW, mask, &other) == 0
           && S_ISREG(one.stx_mode) && one.stx_nlink == 2 && other.stx_nlink == 2
           && deviceOf(one) == deviceOf(other) && one.stx_ino == other.stx_ino;
}

bool LocalFileSystem::isOthersFolder(const QString &folder)
{
    struct stat info {};
    return ::stat(NativePath(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode)
           && info.st_uid != ::getuid() && info.st_uid != 0;
}
