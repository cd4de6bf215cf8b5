// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One entry of a folder as a listing sees it.
struct FolderEntry {
    enum Kind { File, Folder, Other };
    QString name; // the name alone
    Kind kind = File;
    // False when the name's bytes are not valid in the locale's encoding: the
    // entry is listed, but no path built from its text names it.
    bool namable = true;
    // The entry's inode as the listing gives it; 0 when the volume gives none.
    quint64 inode = 0;
    // Where the volume gives no inode that lasts, the entry's size and
    // modification time (nanoseconds since 1970) as the listing found them,
    // so that the file can be told apart without another look; size -1 elsewhere.
    qint64 size = -1;
    qint64 modified = 0;

    bool operator==(const FolderEntry &) const = default;
};

// Whether the host hides a name (on Linux, one that begins with "."): no
// listing holds such an entry, and no rename gives such a name.
inline bool isHiddenName(const QString &name)
{
    return name.startsWith(u'.');
}
