// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/FolderEntry.h"

#include <QList>
#include <QString>

// Every entry of the open folder that is not hidden, in the order the folder
// gives them; false (and no entries) when it cannot be read. The call takes
// the descriptor over and closes it (-1 for a folder that could not be opened).
bool readFolderEntries(int folder, QList<FolderEntry> &entries);
// The same of the folder at path.
bool readFolderEntries(const QString &folder, QList<FolderEntry> &entries);
