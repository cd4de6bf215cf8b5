#pragma once

#include "core/host/LocalHost.h"
#include "core/host/LongWork.h"

#include <QHash>
#include <QTemporaryDir>
#include <functional>

// The local host with its dialogs, programs and clock scripted and
// recorded, and a switch that makes chosen file operations fail. File
// operations otherwise act on the real file system. The desktop's trash is
// redirected into a temporary folder of its own.
// The temporary folders of a test host: a base of its own, so that they
// outlive the host's lock on its state folder.
struct TestHostFolders {
    QTemporaryDir trash;
    QTemporaryDir state;
};

class TestHost : private TestHostFolders, public LocalHost {
public:
    // The host keeps its state (the change record) in a temporary folder of
    // its own, or in stateFolder, which another host may share.
    explicit TestHost(const QString &stateFolder = {});

    struct Question {
        QString prompt, title, defaultText;
    };
    struct StartedProgram {
        QString program;
        QStringList arguments;
        int windowStyle;
    };

    // Asked from the worker as long work goes (RunLongWork), with the steps
    // done and in all: returning true stops the work, as the Stop button does.
    std::function<bool(qint64 done, qint64 total)> stopWhen;
    // What each long work was called.
    QStringList longWork;

    // Answers AskText gives in turn; the empty text (Cancel) once they run out.
    QStringList answers;
    QList<Question> questions;
    // For each answer given, the preview its box showed for it.
    QList<AnswerPreview> previews;
    QStringList messages;
    // The files the file dialog picks, each time it opens.
    QStringList pickedFiles;
    // What the clipboard holds, by MIME type.
    QHash<QString, QByteArray> clipboard;

    QList<StartedProgram> started;
    // Set to make StartProgram fail.
    bool programsFail = false;

    // Readings CurrentTimeText gives in turn; the last one repeats.
    QStringList clockReadings{QStringLiteral("12:34:56")};
    int clockReads = 0;
    int yields = 0;

    // Asked before each file operation with its name and first path;
    // returning true makes that operation fail without touching disk:
    // "RenameFile", "MoveFile", "MakeFolder" (Input/output error),
    // "RemoveFolder", "WriteTextFile", "CreateFile" and "AppendToFile"
    // (Permission denied), "ReserveTrash" (the trash on a read-only drive),
    // "ListNames" (lists nothing),
    // "ReadFolder" (the folder is unreadable), "ReadFile" (Input/output
    // error, as a busy drive gives). "Write" and "Flush" fail the
    // two steps of a durable write as a full disk (half the bytes, then No
    // space left on device) or a failing flush (Input/output error) would.
    std::function<bool(const QString &operation, const QString &path)> failWhen;

    // The folder that holds the desktop's trash for this host.
    QString trashFolder() const { return trash.path(); }

    void ShowMessage(const QString &text) override;
    void RunLongWork(const QString &what, const std::function<void(WorkProgress &)> &work) override;
    QString AskText(const QString &prompt, const QString &title, const QString &defaultText,
                    const QString &hint, const AnswerPreviewer &previewer) override;
    QStringList AskFiles(const QString &title, const QString &folder) override;
    QByteArray ClipboardData(const QString &mimeType) override;
    QStringList ListNames(const QString &folder, const QString &pattern,
                          EntryKinds kinds) override;
    FolderContents ReadFolder(const QString &folder) override;
    Outcome RenameFile(const QString &oldPath, const QString &newPath) override;
    Outcome MakeFolder(const QString &path) override;
    Outcome MoveFile(const QString &source, const QString &destination) override;
    Outcome ReserveTrash(const QString &path, QString &place) override;
    bool RemoveFolder(const QString &path) override;
    Outcome CreateFile(const QString &path, const QByteArray &content) override;
    Outcome ReadFile(const QString &path, qint64 maxSize, QByteArray &content) override;
    Outcome ReadFileRange(const QString &path, qint64 offset, qint64 length, QByteArray &content,
                          qint64 &size) override;
    Outcome AppendToFile(const QString &path, const QByteArray &content) override;
    Outcome WriteTextFile(const QString &path, const QStringList &lines,
                          const QString &lineEnd, bool executable) override;
    Outcome StartProgram(const QString &program, const QStringList &arguments,
                         int windowStyle) override;
    QString CurrentTimeText() override;
    void YieldToEvents() override;

protected:
    bool writeAll(int fd, const QByteArray &bytes, const QString &path) override;
    bool syncData(int fd, const QString &path) override;

private:
    bool fails(const QString &operation, const QString &path) const;
};
