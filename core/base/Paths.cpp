// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/Paths.h"

#include <QDir>

namespace Paths {

QChar separator()
{
    return QDir::separator();
}

QString hostRoot()
{
    return QDir::toNativeSeparators(QDir::rootPath());
}

QString join(const QString &folder, const QString &name)
{
    QString path;
    path.reserve(folder.size() + 1 + name.size());
    return path.append(folder).append(separator()).append(name);
}

QString lastComponent(const QString &path)
{
    return path.mid(path.lastIndexOf(separator()) + 1);
}

QString folderPart(const QString &path)
{
    const qsizetype at = path.lastIndexOf(separator());
    if (at < 0)
        return QString();
    const QString folder = path.left(at);
    if (folder.isEmpty() || folder.endsWith(u':'))
        return folder + separator();
    return folder;
}

} // namespace Paths
