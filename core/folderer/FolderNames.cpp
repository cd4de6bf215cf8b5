#include "core/folderer/FolderNames.h"

#include "core/base/Paths.h"

namespace {

// Position of the last dot of the file's own name, or -1 when it has none.
qsizetype lastDotInOwnName(const QString &fixfilename)
{
    if (fixfilename.size() <= 1)
        return -1;
    const qsizetype dot = fixfilename.lastIndexOf(u'.');
    return dot > fixfilename.lastIndexOf(Paths::separator()) ? dot : -1;
}

} // namespace

int getextensionlength(const QString &fixfilename)
{
    const qsizetype dot = lastDotInOwnName(fixfilename);
    return dot < 0 ? 0 : int(fixfilename.size() - dot - 1);
}

QString parseextension(const QString &fixfilename)
{
    const qsizetype dot = lastDotInOwnName(fixfilename);
    return dot < 0 ? fixfilename : fixfilename.left(dot);
}

QString parsefilenameonly(const QString &fixfilename)
{
    const qsizetype separator = fixfilename.lastIndexOf(Paths::separator());
    if (fixfilename.size() <= 1 || separator < 0)
        return fixfilename;
    return fixfilename.mid(separator + 1);
}

QStringList plannedFolders(const QStringList &files)
{
    QStringList folders;
    folders.reserve(files.size());
    for (const QString &file : files)
        folders << parseextension(file);
    return folders;
}

QString targetPath(const QString &file)
{
    return Paths::join(parseextension(file), parsefilenameonly(file));
}
