// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/ChangeEngine.h"

#include <QDateTime>
#include <QString>

class FileSystem;

// What the Delete key came to.
struct DeleteReport {
    QString path;
    // Why no place in the trash could be reserved (the file was not
    // deleted); success when one was.
    Outcome reserved;
    // The change that moved the file into the trash, when it ran.
    ChangeOutcome change;
};

// The Delete key at the time deleted: moves the file at path into the trash
// of its volume as one recorded change of the renamer ("Delete"), so that
// Ctrl+Z brings it back, also after a restart. The place in the trash is
// reserved, and named in the record, before the file moves. A file is never
// deleted for good instead: when its trash cannot be made or written, or the
// volume refuses the move, it stays. A path that names no file now is left
// as it is.
DeleteReport deleteToTrash(FileSystem &fileSystem, const QString &path, const QDateTime &deleted);
