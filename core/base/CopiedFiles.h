// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>
#include <functional>

// The files that the clipboard holds, read from its content in a MIME type
// (clipboard("text/uri-list")): the URLs of text/uri-list, one a line, "#"
// lines being comments, as every file manager offers copied files; else those
// of x-special/gnome-copied-files, whose first line says "copy" or "cut";
// else each line of plain text that is an absolute path or a file URL, as a
// path copied from a terminal. Nothing when the clipboard names no file.
QList<QUrl> copiedFiles(const std::function<QByteArray(const QString &mimeType)> &clipboard);
