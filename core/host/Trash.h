// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/host/Descriptor.h"
#include "core/host/FileSystem.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The desktop's trash as the freedesktop rules keep it, which every Linux file
// manager reads: a trash folder holds each deleted file in files/ and, under
// the same name in info/, a NAME.trashinfo note of where it was and when it
// was deleted. A file only ever moves into the trash of its own volume, by
// one rename, so that nothing is copied and undo can rename it back.
namespace Trash {

// A place reserved in a trash. Its files folder stays open, so that the file
// moves into the very folder that was checked, whatever has taken that
// folder's path meanwhile.
struct Place {
    QString path;     // the place's full path, as the change record keeps it
    Descriptor files; // the trash's files folder
    QByteArray name;  // the place's name in it
};

// Reserves a place for the file at path in the trash of its volume: the
// home trash ($XDG_DATA_HOME/Trash) when the file lies on the home trash's
// device, else a trash in the top folder of the mount that holds the file's
// real folder (links resolved): $topdir/.Trash/UID, where .Trash is a real
// folder with the sticky bit, or $topdir/.Trash-UID. Every trash folder is
// reached through descriptors without following a link, must be the user's
// own on the file's device before anything is made inside it, and is made
// (mode 0700) when missing. The first free name of NAME, NAME.2, NAME.3, ...
// (NAME shortened where its note's name would pass 255 bytes) is held by its
// note, created (0600) exclusively and on the disk before this returns. Fails,
// with the reason, when no trash of the volume can be made or written; then
// nothing is left behind.
Outcome reserve(const QString &path, const QDateTime &deleted, Place &place);

// Moves the file that folder and name (as the system's *at calls take them)
// give into its reserved place; never replaces anything there.
Outcome moveInto(const Place &place, int folder, const char *name);

// Removes the note of a place in a trash whose file is not there, through
// the user's own trash folder and following no link; false while the file is
// there or when the place is in no trash's files folder.
bool release(const QString &place);

// The note of a deleted file: its original path, as a trash's files
// expect it (absolute in the home trash, relative to the volume's top
// folder in a volume's trash), percent-encoded, and the deletion time in
// local time.
QByteArray infoText(const QByteArray &originalPath, const QDateTime &deleted);

} // namespace Trash
