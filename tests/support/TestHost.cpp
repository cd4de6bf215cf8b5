#include "TestHost.h"

#include <QTest>

#include <cerrno>

TestHost::TestHost(const QString &stateFolder)
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(trash.path()));
    m_stateFolder = stateFolder.isEmpty() ? state.path() : stateFolder;
}

bool TestHost::fails(const QString &operation, const QString &path) const
{
    return failWhen && failWhen(operation, path);
}

void TestHost::ShowMessage(const QString &text)
{
    messages << text;
}

QString TestHost::AskText(const QString &prompt, const QString &title, const QString &defaultText,
                          const QString &, const AnswerPreviewer &previewer)
{
    questions.append({prompt, title, defaultText});
    const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
    // The preview comes through the event loop, as it does to the box.
    const QFuture<AnswerPreview> preview = previewer(answer);
    if (QTest::qWaitFor([&] { return preview.isFinished(); }, 60000) && !preview.isCanceled())
        previews << preview.result();
    return answer;
}

QStringList TestHost::AskFiles(const QString &, const QString &)
{
    return pickedFiles;
}

QByteArray TestHost::ClipboardData(const QString &mimeType)
{
    return clipboard.value(mimeType);
}

QStringList TestHost::ListNames(const QString &folder, const QString &pattern, EntryKinds kinds)
{
    if (fails(QStringLiteral("ListNames"), folder))
        return {};
    return LocalHost::ListNames(folder, pattern, kinds);
}

FolderContents TestHost::ReadFolder(const QString &folder)
{
    if (fails(QStringLiteral("ReadFolder"), folder))
        return {};
    return LocalHost::ReadFolder(folder);
}

Outcome TestHost::RenameFile(const QString &oldPath, const QString &newPath)
{
    if (fails(QStringLiteral("RenameFile"), oldPath))
        return Outcome::systemError(EIO);
    return LocalHost::RenameFile(oldPath, newPath);
}

Outcome TestHost::MakeFolder(const QString &path)
{
    if (fails(QStringLiteral("MakeFolder"), path))
        return Outcome::systemError(EIO);
    return LocalHost::MakeFolder(path);
}

Outcome TestHost::MoveFile(const QString &source, const QString &destination)
{
    if (fails(QStringLiteral("MoveFile"), source))
        return Outcome::systemError(EIO);
    return LocalHost::MoveFile(source, destination);
}

Outcome TestHost::ReserveTrash(const QString &path, QString &place)
{
    if (fails(QStringLiteral("ReserveTrash"), path))
        return Outcome::failure(QStringLiteral("the trash %1 cannot be made (Read-only file system)")
                                    .arg(trashFolder() + QStringLiteral("/Trash")));
    return LocalHost::ReserveTrash(path, place);
}

bool TestHost::RemoveFolder(const QString &path)
{
    return !fails(QStringLiteral("RemoveFolder"), path) && LocalHost::RemoveFolder(path);
}

Outcome TestHost::CreateFile(const QString &path, const QByteArray &content)
{
    if (fails(QStringLiteral("CreateFile"), path))
        return Outcome::systemError(EACCES);
    return LocalHost::CreateFile(path, content);
}

Outcome TestHost::ReadFile(const QString &path, qint64 maxSize, QByteArray &content)
{
    if (fails(QStringLiteral("ReadFile"), path))
        return Outcome::systemError(EIO);
    return LocalHost::ReadFile(path, maxSize, content);
}

Outcome TestHost::ReadFileRange(const QString &path, qint64 offset, qint64 length,
                                QByteArray &content, qint64 &size)
{
    if (fails(QStringLiteral("ReadFile"), path))
        return Outcome::systemError(EIO);
    return LocalHost::ReadFileRange(path, offset, length, content, size);
}

Outcome TestHost::AppendToFile(const QString &path, const QByteArray &content)
{
    if (fails(QStringLiteral("AppendToFile"), path))
        return Outcome::systemError(EACCES);
    return LocalHost::AppendToFile(path, content);
}

bool TestHost::writeAll(int fd, const QByteArray &bytes, const QString &path)
{
    if (fails(QStringLiteral("Write"), path)) {
        // As a full disk does: part of the bytes, then no room.
        FileWriter::writeAll(fd, bytes.left(bytes.size() / 2), path);
        errno = ENOSPC;
        return false;
    }
    return FileWriter::writeAll(fd, bytes, path);
}

bool TestHost::syncData(int fd, const QString &path)
{
    if (fails(QStringLiteral("Flush"), path)) {
        errno = EIO;
        return false;
    }
    return FileWriter::syncData(fd, path);
}

Outcome TestHost::WriteTextFile(const QString &path, const QStringList &lines,
                                const QString &lineEnd, bool executable)
{
    if (fails(QStringLiteral("WriteTextFile"), path))
        return Outcome::failure(QStringLiteral("Permission denied"));
    return LocalHost::WriteTextFile(path, lines, lineEnd, executable);
}

Outcome TestHost::StartProgram(const QString &program, const QStringList &arguments,
                               int windowStyle)
{
    if (programsFail)
        return Outcome::failure(QStringLiteral("The program \"%1\" was not found.").arg(program));
    started.append({program, arguments, windowStyle});
    return Outcome::success();
}

QString TestHost::CurrentTimeText()
{
    const int at = std::min<int>(clockReads, int(clockReadings.size()) - 1);
    ++clockReads;
    return clockReadings.at(at);
}

void TestHost::YieldToEvents()
{
    ++yields;
}

void TestHost::RunLongWork(const QString &what, const std::function<void(WorkProgress &)> &work)
{
    longWork << what;
    // A stop as the script asks for it, from the worker like the button's.
    struct Scripted : SharedProgress {
        std::function<bool(qint64, qint64)> stopWhen;
        bool stopRequested() const override
        {
            return SharedProgress::stopRequested() || (stopWhen && stopWhen(done(), total()));
        }
    } progress;
    progress.stopWhen = stopWhen;
    runLongWork(work, progress, {}, [&progress] { progress.stop(); });
}
