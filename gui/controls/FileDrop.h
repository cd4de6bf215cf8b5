// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

class Desktop;
class FileSystem;
class ListBox;

// Adds the files of a drop to list, in the order that the drop delivers
// them, and tells the user in one message what was left out: items that are
// not existing local files (folders, web links) and files beyond the list's
// room. Returns the paths added, in drop order.
QStringList addDroppedFiles(FileSystem &files, Desktop &desktop, ListBox &list, const QList<QUrl> &urls);
