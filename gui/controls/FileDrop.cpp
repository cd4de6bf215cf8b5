// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/FileDrop.h"

#include "core/host/FileSystem.h"
#include "gui/Desktop.h"
#include "gui/controls/ListBox.h"
#include "gui/words/DropWords.h"

#include <QDir>

QStringList addDroppedFiles(FileSystem &fileSystem, Desktop &desktop, ListBox &list, const QList<QUrl> &urls)
{
    QStringList files;
    files.reserve(urls.size());
    qsizetype notFiles = 0;
    for (const QUrl &url : urls) {
        const QString path = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : QString();
        if (!path.isEmpty() && fileSystem.entryKind(path) == FolderEntry::File)
            files << path;
        else
            ++notFiles;
    }

    const int added = list.addItems(files);
    const qsizetype overflow = files.size() - added;
    files.resize(added);

    if (const QString leftOut = DropWords::leftOut(notFiles, overflow, ListBox::MaxRows); !leftOut.isEmpty())
        desktop.showMessage(leftOut);
    return files;
}
