// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The names the folderer works with. A file's folder is planned beside it and
// named after the file without its extension: Movies/Film.avi goes into
// Movies/Film as Movies/Film/Film.avi. Paths use the host's separator. The
// extension is what follows the last dot of the file's own name; a dot in a
// folder name never counts, so such a file keeps no folder of its own.

// path without the last dot of the file's own name and what follows
// it; unchanged when that name has no dot or path is at most 1 character.
QString withoutExtension(const QString &path);
// What follows the last separator (empty when the text ends in one);
// unchanged when there is no separator or path is at most 1 character.
QString fileNameOnly(const QString &path);

// The folder planned for each file, in the files' order. A file without an
// extension plans its own path: that folder cannot be made, so it stays put.
QStringList plannedFolders(const QStringList &files);
// Where a file goes: its planned folder, a separator, its own name.
QString targetPath(const QString &file);
