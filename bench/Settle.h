// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryFile>
#include <unistd.h>

// Lets the file system's writes settle before a timed run: sync() returns
// while the disk may still be flushing them, and the first synced write after
// it (the change record's) would wait for that, which no run of the program
// meets.
inline void settle()
{
    ::sync();
    QTemporaryFile scratch;
    if (scratch.open()) {
        scratch.write("settled");
        scratch.flush();
        ::fdatasync(scratch.handle());
    }
}
