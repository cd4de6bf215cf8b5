// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

// What the local machine's statx gives, as the file-system port counts it.

// The device number of the file system that holds the file.
inline quint64 deviceOf(const struct statx &info)
{
    return makedev(info.stx_dev_major, info.stx_dev_minor);
}

// A time as nanoseconds since 1970.
inline qint64 nanoseconds(const struct statx_timestamp &time)
{
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

// Whether the volume of a file system (statfs's f_type) keeps a file's inode
// number across renames and mounts. FAT, exFAT and NTFS drives, shares and
// FUSE volumes make numbers up as they go.
inline bool keepsInodes(long type)
{
    switch (type) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x9123683E: // btrfs
    case 0x58465342: // xfs
    case 0x01021994: // tmpfs
    case 0x858458F6: // ramfs
    case 0xF2F52010: // f2fs
    case 0x2FC12FC1: // zfs
    case 0x6969:     // nfs
    case 0x52654973: // reiserfs
    case 0x3153464A: // jfs
    case 0xCA451A4E: // bcachefs
        return true;
    default:
        return false;
    }
}
