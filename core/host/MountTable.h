// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The system's table of mounted volumes, as Linux keeps it in
// /proc/self/mountinfo. It is read again only once the system says that a
// volume came or went, so that a change of many folders asks cheaply; any
// thread may ask.
namespace MountTable {

// One mount as the table lists it.
struct Mount {
    quint64 id = 0;     // the mount's number, as statx's STATX_MNT_ID gives it
    quint64 device = 0; // the device number of its file system
    QByteArray point;
    QByteArray type;
    QByteArray source;
};

// The mount point that holds folder (a real path: links resolved): the
// longest one in the table that holds it, and of several mounts on one point
// the last, which hides the others. The root when the table cannot be read.
QByteArray mountPointOf(const QByteArray &folder);

// The mount with that number; nothing when no such mount is there now.
std::optional<Mount> mountWithId(quint64 id);

// A number that changes whenever a volume comes or goes: what was found out
// about the volumes under one number may not hold under the next.
quint64 generation();

} // namespace MountTable
