#include "app/FolderListing.h"

#include "app/RowOrder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace {

FolderEntry::Kind kindOf(bool isFolder, bool isFile)
{
    return isFolder ? FolderEntry::Folder : isFile ? FolderEntry::File : FolderEntry::Other;
}

#ifdef Q_OS_UNIX
// Whether the text decoded from raw names the same bytes again: a name that
// is not valid in the locale's encoding decodes to a text that names another
// file or none.
bool roundTrips(const char *raw, const QString &decoded)
{
    bool ascii = true;
    for (const char *c = raw; *c && ascii; ++c)
        ascii = static_cast<unsigned char>(*c) < 0x80;
    return ascii || QFile::encodeName(decoded) == raw;
}

// Reads the folder with readdir, which names each entry's type without a
// stat for all but links and file systems that do not tell.
bool readFolder(const QString &folder, QList<FolderEntry> &entries)
{
    const QByteArray encoded = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir)
        return false;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') // hidden, and "." and ".."
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            const QByteArray path = encoded + '/' + entry->d_name;
            if (::stat(path.constData(), &info) == 0) {
                isFolder = S_ISDIR(info.st_mode);
                isFile = S_ISREG(info.st_mode);
            }
        }
        const QString name = QFile::decodeName(entry->d_name);
        entries.append({name, kindOf(isFolder, isFile), roundTrips(entry->d_name, name)});
    }
    ::closedir(dir);
    return true;
}
#else
bool readFolder(const QString &folder, QList<FolderEntry> &entries)
{
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (!dir.exists())
        return false;
    QDirIterator it(dir.path(), QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (!isHiddenName(info.fileName()))
            entries.append({info.fileName(), kindOf(info.isDir(), info.isFile())});
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

bool readFolderEntries(const QString &folder, QList<FolderEntry> &entries)
{
    entries.clear();
    return readFolder(folder, entries);
}

QStringList listEntries(const QString &folder, const Wildcard &pattern, EntryKinds kinds)
{
    QList<FolderEntry> entries;
    readFolderEntries(folder, entries);
    QStringList names;
    names.reserve(entries.size());
    for (const FolderEntry &entry : entries)
        if (kindListed(entry.kind, kinds) && pattern.matches(entry.name))
            names << entry.name;
    sortInRowOrder(names);
    return names;
}

bool entryExists(const QString &path, EntryKinds kinds)
{
    const QFileInfo info(path);
    return info.exists() && !isHiddenName(info.fileName())
        && kindListed(kindOf(info.isDir(), info.isFile()), kinds);
}
