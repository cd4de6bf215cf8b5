#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The system's table of mounted volumes, as Linux keeps it in
// /proc/self/mountinfo. It is read again only once the system says that a
// volume came or went, so that a change of many folders asks cheaply; any
// thread may ask.
namespace MountTable {

// The mount point that holds folder (a real path: links resolved): the
// longest one in the table that holds it, and of several mounts on one point
// the last, which hides the others. The root when the table cannot be read.
QByteArray mountPointOf(const QByteArray &folder);

// The name of the volume that is mounted with this device number: its UUID
// ("UUID=2A1B-33C4") or else its label ("LABEL=CAMERA"), as the system's
// device manager lists them, else its file system and source ("nfs
// nas:/videos"); empty when nothing is mounted with that number.
QString volumeName(quint64 device);

} // namespace MountTable
