#include "gui/controls/FileDrop.h"

#include "core/host/FileSystem.h"
#include "gui/Desktop.h"
#include "gui/controls/ListBox.h"

#include <QCoreApplication>
#include <QDir>

QStringList addDroppedFiles(FileSystem &fileSystem, Desktop &desktop, ListBox &list,
                            const QList<QUrl> &urls)
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

    QStringList report;
    if (notFiles > 0)
        report << QCoreApplication::translate("FileDrop", "%1 dropped item(s) left out: only existing files can be listed.")
                      .arg(notFiles);
    if (overflow > 0)
        report << QCoreApplication::translate("FileDrop", "%1 dropped file(s) left out: the list holds at most %2 rows.")
                      .arg(overflow)
                      .arg(ListBox::MaxRows);
    if (!report.isEmpty())
        desktop.showMessage(report.join(u' '));
    return files;
}
