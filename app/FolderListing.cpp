#include "app/FolderListing.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <numeric>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace {

bool kindAccepted(bool isFolder, bool isFile, EntryKinds kinds)
{
    if (isFolder)
        return kinds != EntryKinds::Files;
    return isFile && kinds != EntryKinds::Folders;
}

// A name with its letter case folded, for sorting: ASCII letters directly,
// others through Qt's case tables (QString::toCaseFolded is several times
// slower on the long plain names of a video collection).
QString foldedForSorting(const QString &name)
{
    QString folded = name;
    for (QChar &c : folded) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            if (u >= 'A' && u <= 'Z')
                c = QChar(u + ('a' - 'A'));
        } else if (!c.isSurrogate()) {
            c = c.toCaseFolded();
        }
    }
    return folded;
}

// Sorts names in row order. The renamer re-lists its folder after every
// engine call, so each name is case-folded once rather than at every
// comparison.
void sortInRowOrder(QStringList &names)
{
    struct Keyed {
        QString folded;
        qsizetype index;
    };
    std::vector<Keyed> keys;
    keys.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        keys.push_back({foldedForSorting(names.at(i)), i});
    std::sort(keys.begin(), keys.end(), [&](const Keyed &a, const Keyed &b) {
        const int folded = QString::compare(a.folded, b.folded, Qt::CaseSensitive);
        return folded != 0 ? folded < 0 : names.at(a.index) < names.at(b.index);
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const Keyed &key : keys)
        sorted << names.at(key.index);
    names = std::move(sorted);
}

#ifdef Q_OS_UNIX
// Reads the folder with readdir, which names each entry's type without a
// stat for all but links and file systems that do not tell.
QStringList readFolder(const QString &folder, const Wildcard &pattern, EntryKinds kinds)
{
    QStringList names;
    const QByteArray encoded = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') // hidden, and "." and ".."
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            const QByteArray path = encoded + '/' + entry->d_name;
            if (::stat(path.constData(), &info) != 0)
                continue;
            isFolder = S_ISDIR(info.st_mode);
            isFile = S_ISREG(info.st_mode);
        }
        if (!kindAccepted(isFolder, isFile, kinds))
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (pattern.matches(name))
            names << name;
    }
    ::closedir(dir);
    return names;
}
#else
QStringList readFolder(const QString &folder, const Wildcard &pattern, EntryKinds kinds)
{
    QDir::Filters filters = QDir::NoDotAndDotDot;
    if (kinds != EntryKinds::Folders)
        filters |= QDir::Files;
    if (kinds != EntryKinds::Files)
        filters |= QDir::Dirs;
    QStringList names;
    QDirIterator it(folder.isEmpty() ? QStringLiteral(".") : folder, filters);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (!isHiddenName(name) && pattern.matches(name))
            names << name;
    }
    return names;
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

QStringList listEntries(const QString &folder, const Wildcard &pattern, EntryKinds kinds)
{
    QStringList names = readFolder(folder, pattern, kinds);
    sortInRowOrder(names);
    return names;
}

bool entryExists(const QString &path, EntryKinds kinds)
{
    const QFileInfo info(path);
    return info.exists() && !isHiddenName(info.fileName())
        && kindAccepted(info.isDir(), info.isFile(), kinds);
}
