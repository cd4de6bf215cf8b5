// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/LocalFileSystem.h"

#include "core/base/Paths.h"
#include "core/host/FolderListing.h"
#include "core/host/StatFields.h"
#include "core/host/VolumeIdentity.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <fcntl.h>
#include <unistd.h>

// The local machine's listings: a folder's entries, and what its volume does
// with names.

namespace {

// Whether the volume holding folder takes a name in another letter case for
// the same entry. An ASCII name of the folder is looked up with its letters'
// case turned round; a volume that holds both spellings as two entries tells
// letter case apart.
bool volumeIsCaseBlind(const QString &folder, const QList<FolderEntry> &entries)
{
    QSet<QString> names;
    for (const FolderEntry &entry : entries)
        names.insert(entry.name);
    for (const FolderEntry &entry : entries) {
        if (!entry.namable)
            continue;
        QString turned = entry.name;
        for (QChar &c : turned) {
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - 'a' + 'A');
            else if (c >= u'A' && c <= u'Z')
                c = QChar(c.unicode() - 'A' + 'a');
        }
        if (turned == entry.name)
            continue;
        if (names.contains(turned))
            return false;
        struct statx info {};
        // Asked of the volume itself: a FUSE volume may answer from the
        // kernel's cache for a name another spelling looked up a moment ago.
        return ::statx(AT_FDCWD, NativePath(Paths::join(folder, turned)).constData(),
                       AT_SYMLINK_NOFOLLOW | AT_STATX_FORCE_SYNC, STATX_TYPE, &info)
               == 0;
    }
    return false;
}

// Where a volume keeps no inode that lasts, or names no identity of its own,
// each file of a listing is told apart by its size and modification time as
// well, taken as it is listed: a network volume answers that from what its
// listing brought, and no change has to ask again for each file it renames.
void identifyByTime(int folder, QList<FolderEntry> &entries, bool stableInodes)
{
    for (FolderEntry &entry : entries) {
        if (!stableInodes)
            entry.inode = 0;
        struct statx info {};
        if (entry.kind == FolderEntry::File && entry.namable
            && ::statx(folder, NativePath(entry.name).constData(), AT_SYMLINK_NOFOLLOW,
                       STATX_SIZE | STATX_MTIME, &info)
                   == 0) {
            entry.size = qint64(info.stx_size);
            entry.modified = nanoseconds(info.stx_mtime);
        }
    }
}

} // namespace

int LocalFileSystem::openForListing(const QString &folder) const
{
    if (folder == m_state.path()) {
        const std::shared_ptr<const Descriptor> state = m_state.descriptor();
        return state ? ::fcntl(state->fd(), F_DUPFD_CLOEXEC, 0) : -1;
    }
    const QByteArray encoded = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    return ::open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

QList<FolderEntry> LocalFileSystem::listFolder(const QString &folder)
{
    QList<FolderEntry> entries;
    readFolderEntries(openForListing(folder), entries);
    return entries;
}

FolderContents LocalFileSystem::readFolder(const QString &folder)
{
    FolderContents contents;
    const Descriptor opened(openForListing(folder));
    contents.readable = opened
                        && readFolderEntries(::fcntl(opened.fd(), F_DUPFD_CLOEXEC, 0), contents.entries);
    if (!contents.readable)
        return contents;
    contents.caseBlind = volumeIsCaseBlind(folder, contents.entries);
    const long longest = ::fpathconf(opened.fd(), _PC_NAME_MAX);
    if (longest > 0)
        contents.longestName = int(longest);
    contents.volume = VolumeIdentity::of(opened.fd());
    // Case-blind volumes (FAT, exFAT, NTFS drives and Windows shares) make
    // their inode numbers up; elsewhere a listing that gives one gives the
    // file's own, FUSE volumes included, where they give any.
    contents.stableInodes = !contents.caseBlind
                            && std::all_of(contents.entries.cbegin(), contents.entries.cend(),
                                           [](const FolderEntry &entry) { return entry.inode != 0; });
    if (!contents.stableInodes || contents.volume.isEmpty())
        identifyByTime(opened.fd(), contents.entries, contents.stableInodes);
    return contents;
}

std::optional<FolderEntry::Kind> LocalFileSystem::entryKind(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    return info.isDir() ? FolderEntry::Folder : info.isFile() ? FolderEntry::File : FolderEntry::Other;
}
