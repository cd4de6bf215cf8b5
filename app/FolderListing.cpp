#include "app/FolderListing.h"

#include "app/RowOrder.h"

#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

namespace {

bool kindAccepted(const QFileInfo &info, EntryKinds kinds)
{
    if (info.isDir())
        return kinds != EntryKinds::Files;
    return info.isFile() && kinds != EntryKinds::Folders;
}

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
    std::sort(names.begin(), names.end(), rowLess);
    return names;
}

bool entryExists(const QString &path, EntryKinds kinds)
{
    const QFileInfo info(path);
    return info.exists() && !isHiddenName(info.fileName()) && kindAccepted(info, kinds);
}
