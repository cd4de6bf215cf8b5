#pragma once

#include <QDateTime>
#include <QString>

class FileSystem;

// The Delete key at the time deleted: moves the file at path into the trash of its volume as one
// recorded change of the renamer ("Delete"), so that Ctrl+Z brings it back,
// also after a restart. The place in the trash is reserved, and named in the
// record, before the file moves. A path that names no file now is left
// without a word. Returns what the user must be told: why the file was not
// deleted, when its trash cannot be made or written (it is never deleted for
// good instead) or the volume refuses the move, or that the change cannot be
// undone; empty otherwise.
QString deleteToTrash(FileSystem &fileSystem, const QString &path, const QDateTime &deleted);
