// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFileSystem.h"

#include <cerrno>

TestFileSystem::TestFileSystem(const QString &stateFolder)
    : LocalFileSystem(stateFolder.isEmpty() ? state.path() : stateFolder)
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(trash.path()));
}

bool TestFileSystem::fails(const QString &operation, const QString &path) const
{
    return failWhen && failWhen(operation, path);
}

QList<FolderEntry> TestFileSystem::listFolder(const QString &folder)
{
    if (fails(QStringLiteral("listFolder"), folder))
        return {};
    return LocalFileSystem::listFolder(folder);
}

FolderContents TestFileSystem::readFolder(const QString &folder)
{
    if (fails(QStringLiteral("readFolder"), folder))
        return {};
    return LocalFileSystem::readFolder(folder);
}

Outcome TestFileSystem::rename(const QString &oldPath, const QString &newPath)
{
    if (fails(QStringLiteral("rename"), oldPath))
        return Outcome::systemError(EIO);
    return LocalFileSystem::rename(oldPath, newPath);
}

Outcome TestFileSystem::makeFolder(const QString &path)
{
    if (fails(QStringLiteral("makeFolder"), path))
        return Outcome::systemError(EIO);
    return LocalFileSystem::makeFolder(path);
}

Outcome TestFileSystem::moveFile(const QString &source, const QString &destination)
{
    if (fails(QStringLiteral("moveFile"), source))
        return Outcome::systemError(EIO);
    return LocalFileSystem::moveFile(source, destination);
}

Outcome TestFileSystem::reserveTrash(const QString &path, const QDateTime &deleted, QString &place)
{
    if (fails(QStringLiteral("reserveTrash"), path))
        return Outcome::folderFailure(Outcome::Why::TrashNotMade, trashFolder() + QStringLiteral("/Trash"),
                                      Outcome::systemError(EROFS));
    return LocalFileSystem::reserveTrash(path, deleted, place);
}

bool TestFileSystem::removeFolder(const QString &path)
{
    return !fails(QStringLiteral("removeFolder"), path) && LocalFileSystem::removeFolder(path);
}

Outcome TestFileSystem::readFile(const QString &path, qint64 maxSize, QByteArray &content)
{
    if (fails(QStringLiteral("readFile"), path))
        return Outcome::systemError(EIO);
    return LocalFileSystem::readFile(path, maxSize, content);
}

Outcome TestFileSystem::readFileRange(const QString &path, qint64 offset, qint64 length, QByteArray &content,
                                      qint64 &size)
{
    if (fails(QStringLiteral("readFile"), path))
        return Outcome::systemError(EIO);
    return LocalFileSystem::readFileRange(path, offset, length, content, size);
}

Outcome TestFileSystem::createFile(const QString &path, const QByteArray &content)
{
    if (fails(QStringLiteral("createFile"), path))
        return Outcome::systemError(EACCES);
    return LocalFileSystem::createFile(path, content);
}

Outcome TestFileSystem::appendToFile(const QString &path, const QByteArray &content)
{
    if (fails(QStringLiteral("appendToFile"), path))
        return Outcome::systemError(EACCES);
    return LocalFileSystem::appendToFile(path, content);
}

Outcome TestFileSystem::writeTextFile(const QString &path, const QStringList &lines, const QString &lineEnd,
                                      bool executable)
{
    if (fails(QStringLiteral("writeTextFile"), path))
        return Outcome::systemError(EACCES);
    return LocalFileSystem::writeTextFile(path, lines, lineEnd, executable);
}

bool TestFileSystem::writeAll(int fd, const QByteArray &bytes, const QString &path)
{
    if (fails(QStringLiteral("write"), path)) {
        // As a full disk does: part of the bytes, then no room.
        FileWriter::writeAll(fd, bytes.left(bytes.size() / 2), path);
        errno = ENOSPC;
        return false;
    }
    return FileWriter::writeAll(fd, bytes, path);
}

bool TestFileSystem::syncData(int fd, const QString &path)
{
    if (fails(QStringLiteral("flush"), path)) {
        errno = EIO;
        return false;
    }
    return FileWriter::syncData(fd, path);
}
