#pragma once

#include "core/host/FileSystem.h"
#include "core/base/Wildcard.h"

#include <QString>
#include <QStringList>

// Every entry of folder that is not hidden, in the order the folder gives
// them; false (and no entries) when the folder cannot be read.
bool readFolderEntries(const QString &folder, QList<FolderEntry> &entries);

// The names (without the folder) of the entries of folder that match the
// pattern, in row order (RowOrder.h). A folder that cannot be read lists nothing.
QStringList listEntries(const QString &folder, const Wildcard &pattern, EntryKinds kinds);

#ifdef Q_OS_UNIX
// The same of an open folder: a descriptor, which the call takes over and
// closes (-1 for a folder that could not be opened).
bool readFolderEntries(int folder, QList<FolderEntry> &entries);
QStringList listEntries(int folder, const Wildcard &pattern, EntryKinds kinds);
#endif

// Whether an entry of that kind is listed under the given kinds.
bool kindListed(FolderEntry::Kind kind, EntryKinds kinds);

// Whether a name is hidden from listings on this files.
bool isHiddenName(const QString &name);
