#pragma once

#include "app/Wildcard.h"

#include <QString>
#include <QStringList>

// Which entries a listing returns. Hidden entries (on Linux, names that begin
// with ".") are never listed.
enum class EntryKinds { Files, FilesAndFolders, Folders };

// The names (without the folder) of the entries of folder that match the
// pattern, in row order (RowOrder.h). A folder that cannot be read lists nothing.
QStringList listEntries(const QString &folder, const Wildcard &pattern, EntryKinds kinds);

// Whether the exact path names an entry of the given kinds that a listing
// would show (no pattern involved).
bool entryExists(const QString &path, EntryKinds kinds);

// Whether a name is hidden from listings on this host.
bool isHiddenName(const QString &name);
