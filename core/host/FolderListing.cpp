#include "core/host/FolderListing.h"

#include "core/base/RowOrder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <optional>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>
#endif

namespace {

FolderEntry::Kind kindOf(bool isFolder, bool isFile)
{
    return isFolder ? FolderEntry::Folder : isFile ? FolderEntry::File : FolderEntry::Other;
}

#ifdef Q_OS_UNIX
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

// Reads the open folder with readdir, which names each entry's type without
// a stat for all but links and file systems that do not tell. Only entries
// listed under kinds are kept (all when there are none), and only their names
// decoded.
bool readFolder(int folder, QList<FolderEntry> &entries, std::optional<EntryKinds> kinds)
{
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
        const FolderEntry::Kind kind = kindOf(isFolder, isFile);
        if (kinds && !kindListed(kind, *kinds))
            continue;
        bool namable = true;
        const QString name = decodedName(entry->d_name, namable);
        // FUSE volumes that keep no inodes of their own give this one.
        constexpr ino_t UnknownInode = 0xffffffff;
        const quint64 inode = entry->d_ino == UnknownInode ? 0 : quint64(entry->d_ino);
        entries.append({name, kind, namable, inode});
    }
    ::closedir(dir);
    return true;
}

int openFolder(const QString &folder)
{
    const QByteArray encoded = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    return ::open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}
#else
bool readFolder(const QString &folder, QList<FolderEntry> &entries,
                std::optional<EntryKinds> kinds)
{
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (!dir.exists())
        return false;
    QDirIterator it(dir.path(), QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const FolderEntry::Kind kind = kindOf(info.isDir(), info.isFile());
        if (!isHiddenName(info.fileName()) && (!kinds || kindListed(kind, *kinds)))
            entries.append({info.fileName(), kind});
    }
    return true;
}
#endif

} // namespace

bool isHiddenName(const QString &name)
{
#ifdef Q_OS_WIN
    Q_UNUSED(name);
    return false;
#else
    return name.startsWith(u'.');
#endif
}

bool kindListed(FolderEntry::Kind kind, EntryKinds kinds)
{
    switch (kind) {
    case FolderEntry::File:
        return kinds != EntryKinds::Folders;
    case FolderEntry::Folder:
        return kinds != EntryKinds::Files;
    case FolderEntry::Other:
        return false;
    }
    return false;
}

#ifdef Q_OS_UNIX
bool readFolderEntries(int folder, QList<FolderEntry> &entries)
{
    entries.clear();
    return readFolder(folder, entries, std::nullopt);
}

bool readFolderEntries(const QString &folder, QList<FolderEntry> &entries)
{
    return readFolderEntries(openFolder(folder), entries);
}

QStringList listEntries(const QString &folder, const Wildcard &pattern, EntryKinds kinds)
{
    return listEntries(openFolder(folder), pattern, kinds);
}

QStringList listEntries(int folder, const Wildcard &pattern, EntryKinds kinds)
#else
bool readFolderEntries(const QString &folder, QList<FolderEntry> &entries)
{
    entries.clear();
    return readFolder(folder, entries, std::nullopt);
}

QStringList listEntries(const QString &folder, const Wildcard &pattern, EntryKinds kinds)
#endif
{
    QList<FolderEntry> entries;
    readFolder(folder, entries, kinds);
    QStringList names;
    names.reserve(entries.size());
    for (const FolderEntry &entry : entries)
        if (pattern.matches(entry.name))
            names << entry.name;
    sortInRowOrder(names);
    return names;
}
