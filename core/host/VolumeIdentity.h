// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a volume says of itself, so that a drive is known again when it comes
// back under another device number, and another card in the same slot is
// never taken for it.
namespace VolumeIdentity {

// The identity of the volume that holds the open folder fd: "UUID=..." as
// the file system gives it (its UUID through the kernel; btrfs's fsid and
// the subvolume, whose inodes are its own; else the UUID or serial that the
// device manager or the device's own superblock names), or, for a share,
// its file system and source ("nfs nas:/videos"); empty where the volume
// gives none. The volume is found by its mount's number, never by a device
// number, and what it said is kept until a volume comes or goes.
QString of(int folder);

} // namespace VolumeIdentity
