// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/CopiedFiles.h"

#include <QDir>

namespace {

// The URLs of lines, skipping empty lines and comments.
QList<QUrl> urlsOf(const QList<QByteArray> &lines)
{
    QList<QUrl> urls;
    for (const QByteArray &line : lines) {
        const QByteArray text = line.trimmed();
        if (text.isEmpty() || text.startsWith('#'))
            continue;
        const QUrl url(QString::fromUtf8(text), QUrl::StrictMode);
        if (url.isValid())
            urls << url;
    }
    return urls;
}

} // namespace

QList<QUrl> copiedFiles(const std::function<QByteArray(const QString &mimeType)> &clipboard)
{
    QList<QUrl> urls = urlsOf(clipboard(QStringLiteral("text/uri-list")).split('\n'));
    if (!urls.isEmpty())
        return urls;
    QList<QByteArray> gnome = clipboard(QStringLiteral("x-special/gnome-copied-files")).split('\n');
    if (gnome.first().trimmed() == "copy" || gnome.first().trimmed() == "cut") {
        gnome.removeFirst();
        urls = urlsOf(gnome);
        if (!urls.isEmpty())
            return urls;
    }
    for (const QString &line : QString::fromUtf8(clipboard(QStringLiteral("text/plain"))).split(u'\n')) {
        const QString text = line.trimmed();
        if (QDir::isAbsolutePath(text))
            urls << QUrl::fromLocalFile(text);
        else if (text.startsWith(QLatin1String("file:")))
            urls << QUrl(text);
    }
    return urls;
}
