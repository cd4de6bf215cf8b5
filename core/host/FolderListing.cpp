// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/FolderListing.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An entry's name from its bytes, and whether that text names the same
// bytes again: a name that is not valid in the locale's encoding decodes to
// a text that names another file or none. ASCII names, which are most, need
// no decoder.
QString decodedName(const char *raw, bool &namable)
{
    namable = true;
    const char *c = raw;
    while (*c && static_cast<unsigned char>(*c) < 0x80)
        ++c;
    if (!*c)
        return QString::fromLatin1(raw, c - raw);
    const QString name = QFile::decodeName(raw);
    namable = QFile::encodeName(name) == raw;
    return name;
}

FolderEntry::Kind kindOf(bool isFolder, bool isFile)
{
    return isFolder ? FolderEntry::Folder : isFile ? FolderEntry::File : FolderEntry::Other;
}

} // namespace

// Reads the folder with readdir, which names each entry's type without a
// stat for all but links and file systems that do not tell.
bool readFolderEntries(int folder, QList<FolderEntry> &entries)
{
    entries.clear();
    DIR *dir = folder >= 0 ? ::fdopendir(folder) : nullptr;
    if (!dir) {
        if (folder >= 0)
            ::close(folder);
        return false;
    }
    // A descriptor copied from one kept open shares where it was read to.
    ::rewinddir(dir);
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') // hidden, and "." and ".."
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0) {
                isFolder = S_ISDIR(info.st_mode);
                isFile = S_ISREG(info.st_mode);
            }
        }
        bool namable = true;
        const QString name = decodedName(entry->d_name, namable);
        // FUSE volumes that keep no inodes of their own give this one.
        constexpr ino_t UnknownInode = 0xffffffff;
        const quint64 inode = entry->d_ino == UnknownInode ? 0 : quint64(entry->d_ino);
        entries.append({name, kindOf(isFolder, isFile), namable, inode});
    }
    ::closedir(dir);
    return true;
}

bool readFolderEntries(const QString &folder, QList<FolderEntry> &entries)
{
    const QByteArray encoded = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    return readFolderEntries(::open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), entries);
}
