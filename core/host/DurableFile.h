// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/host/FileSystem.h"

#include <QByteArray>
#include <QString>

// Files that must be on the disk whole, or not at all, when a call returns:
// the change records, and the files the combiner writes. Every step is
// checked (write, flush, sync, link or rename), since a full disk may let a
// write seem to succeed and fail only at the flush; a failure says why in the
// system's words, and leaves nothing half written behind.

// The two steps of writing bytes, apart so that a test host can make either
// fail; errno says why when they do.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    // Writes all the bytes at the file's offset.
    virtual bool writeAll(int fd, const QByteArray &bytes, const QString &path);
    // Has the file's data on the disk.
    virtual bool syncData(int fd, const QString &path);
};

// A file as the system's *at calls name it: the folder that holds it (a
// descriptor, or AT_FDCWD with a full name) and its name there; path is its
// full path, for the writer and for messages.
struct FileAt {
    int folder;
    const char *name;
    QString path;
};

namespace DurableFile {

// A new file, for the user's eyes only (mode 0600); fails, writing nothing,
// when path exists already. With
// locked, the new file is held open under an exclusive lock from before it
// has its name, its descriptor there (-1 where the host has no locks).
Outcome create(FileWriter &writer, const FileAt &file, const QByteArray &content, int *locked = nullptr);
// The file replaced whole (made when missing); mode gives the permission
// bits of a new file, less the user's umask.
Outcome replace(FileWriter &writer, const FileAt &file, const QByteArray &content, int mode = 0666);
// Bytes added at the end of an existing file; on failure it is cut back to
// what it was.
Outcome append(FileWriter &writer, const FileAt &file, const QByteArray &content);
// A file's whole content, when it is no larger than maxSize bytes.
Outcome read(const FileAt &file, qint64 maxSize, QByteArray &content);
// At most length bytes of a file from offset on, and the file's size.
Outcome readRange(const FileAt &file, qint64 offset, qint64 length, QByteArray &content, qint64 &size);

} // namespace DurableFile
