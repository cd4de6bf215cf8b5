// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/folderer/FolderNames.h"

#include "core/base/Paths.h"

namespace {

// Position of the last dot of the file's own name, or -1 when it has none.
qsizetype lastDotInOwnName(const QString &path)
{
    if (path.size() <= 1)
        return -1;
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > path.lastIndexOf(Paths::separator()) ? dot : -1;
}

} // namespace

QString withoutExtension(const QString &path)
{
    const qsizetype dot = lastDotInOwnName(path);
    return dot < 0 ? path : path.left(dot);
}

QString fileNameOnly(const QString &path)
{
    const qsizetype separator = path.lastIndexOf(Paths::separator());
    if (path.size() <= 1 || separator < 0)
        return path;
    return path.mid(separator + 1);
}

QStringList plannedFolders(const QStringList &files)
{
    QStringList folders;
    folders.reserve(files.size());
    for (const QString &file : files)
        folders << withoutExtension(file);
    return folders;
}

QString targetPath(const QString &file)
{
    return Paths::join(withoutExtension(file), fileNameOnly(file));
}
