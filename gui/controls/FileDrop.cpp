#include "gui/controls/FileDrop.h"

#include "core/host/Host.h"
#include "gui/controls/ListBox.h"

#include <QDir>

QStringList addDroppedFiles(Host &host, ListBox &list, const QList<QUrl> &urls)
{
    QStringList files;
    files.reserve(urls.size());
    qsizetype notFiles = 0;
    for (const QUrl &url : urls) {
        const QString path = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : QString();
        const std::optional<int> attributes = path.isEmpty() ? std::nullopt : host.GetAttributes(path);
        if (attributes && !(*attributes & Attribute::Folder))
            files << path;
        else
            ++notFiles;
    }

    const int added = list.addItems(files);
    const qsizetype overflow = files.size() - added;
    files.resize(added);

    QStringList report;
    if (notFiles > 0)
        report << QStringLiteral("%1 dropped item(s) left out: only existing files can be listed.")
                      .arg(notFiles);
    if (overflow > 0)
        report << QStringLiteral("%1 dropped file(s) left out: the list holds at most %2 rows.")
                      .arg(overflow)
                      .arg(ListBox::MaxRows);
    if (!report.isEmpty())
        host.ShowMessage(report.join(u' '));
    return files;
}
