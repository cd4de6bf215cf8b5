// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/host/LocalFileSystem.h"

#include <QTemporaryDir>
#include <functional>

// The temporary folders of a test's file system: a base of its own, so that
// they outlive the file system's lock on its state folder.
struct TestFolders {
    QTemporaryDir trash;
    QTemporaryDir state;
};

// The local file system with a switch that makes chosen operations fail;
// otherwise every operation acts on the real disk. The desktop's trash is
// redirected into a temporary folder of its own.
class TestFileSystem : private TestFolders, public LocalFileSystem {
public:
    // The program's state (the change record) is kept in a temporary folder
    // of its own, or in stateFolder, which another test file system may share.
    explicit TestFileSystem(const QString &stateFolder = {});

    // Asked before each file operation with its name and first path;
    // returning true makes that operation fail without touching disk:
    // "rename", "moveFile", "makeFolder" (Input/output error),
    // "removeFolder", "writeTextFile", "createFile" and "appendToFile"
    // (Permission denied), "reserveTrash" (the trash on a read-only drive),
    // "listFolder" (lists nothing), "readFolder" (the folder is unreadable),
    // "readFile" (Input/output error, as a busy drive gives). "write" and
    // "flush" fail the two steps of a durable write as a full disk (half the
    // bytes, then No space left on device) or a failing flush (Input/output
    // error) would.
    std::function<bool(const QString &operation, const QString &path)> failWhen;

    // The folder that holds the desktop's trash for this file system.
    QString trashFolder() const { return trash.path(); }

    QList<FolderEntry> listFolder(const QString &folder) override;
    FolderContents readFolder(const QString &folder) override;
    Outcome rename(const QString &oldPath, const QString &newPath) override;
    Outcome makeFolder(const QString &path) override;
    Outcome moveFile(const QString &source, const QString &destination) override;
    Outcome reserveTrash(const QString &path, const QDateTime &deleted, QString &place) override;
    bool removeFolder(const QString &path) override;
    Outcome readFile(const QString &path, qint64 maxSize, QByteArray &content) override;
    Outcome readFileRange(const QString &path, qint64 offset, qint64 length, QByteArray &content,
                          qint64 &size) override;
    Outcome createFile(const QString &path, const QByteArray &content) override;
    Outcome appendToFile(const QString &path, const QByteArray &content) override;
    Outcome writeTextFile(const QString &path, const QStringList &lines, const QString &lineEnd,
                          bool executable) override;

protected:
    bool writeAll(int fd, const QByteArray &bytes, const QString &path) override;
    bool syncData(int fd, const QString &path) override;

private:
    bool fails(const QString &operation, const QString &path) const;
};
