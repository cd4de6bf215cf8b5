// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/FolderEntry.h"
#include "core/base/Wildcard.h"

#include <QList>
#include <QStringList>

// Which entries a list of a folder shows.
enum class EntryKinds { Files, FilesAndFolders, Folders };

// The rows a list shows of a folder's entries (FileSystem::listFolder): the
// names of the entries of those kinds that match the pattern, in row order
// (RowOrder.h). An entry that is neither file nor folder (a link to
// nothing, a device) is never a row.
QStringList folderRows(const QList<FolderEntry> &entries, const Wildcard &pattern, EntryKinds kinds);
