#pragma once

#include "core/host/Host.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The desktop's trash as the freedesktop rules keep it, which every Linux file
// manager reads: a trash folder holds each deleted file in files/ and, under
// the same name in info/, a NAME.trashinfo note of where it was and when it
// was deleted. A file only ever moves into the trash of its own volume, by
// one rename, so that nothing is copied and undo can rename it back.
namespace Trash {

// Reserves a place for the file at path in the trash of its volume: the
// home trash ($XDG_DATA_HOME/Trash) when the file lies on the home trash's
// device, else the volume's $topdir/.Trash/UID (only where .Trash is a real
// folder with the sticky bit) or $topdir/.Trash-UID. The trash's folders are
// made (mode 0700) when missing. The first free name of NAME, NAME.2,
// NAME.3, ... is held by its note, created exclusively and on the disk
// before this returns. Fails, with the reason, when no trash of the volume
// can be made or written; then nothing is left behind.
Outcome reserve(const QString &path, const QDateTime &deleted, QString &place);

// Removes the note of a place in a trash whose file is not there; false while
// the file is there or when the place is in no trash's files folder.
bool release(const QString &place);

// The note of a deleted file: its original path, as a trash's files
// expect it (absolute in the home trash, relative to the volume's top
// folder in a volume's trash), percent-encoded, and the deletion time in
// local time.
QByteArray infoText(const QByteArray &originalPath, const QDateTime &deleted);

} // namespace Trash
