// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestFileSystem.h"

#include "gui/QtDesktop.h"

#include <QHash>
#include <functional>

// The test file system together with a desktop whose dialogs, clipboard,
// programs and clock are scripted and recorded, for the windows' tests. Long
// work runs as the program runs it, with its progress box.
class TestHost : public TestFileSystem, public QtDesktop {
public:
    // The program's state is kept in a temporary folder of its own, or in
    // stateFolder, which another host may share.
    explicit TestHost(const QString &stateFolder = {})
        : TestFileSystem(stateFolder)
    {}

    struct StartedProgram {
        QString program;
        QStringList arguments;
    };

    // Asked from the worker as long work goes (runLongWork), with the steps
    // done and in all: returning true stops the work, as the Stop button does.
    std::function<bool(qint64 done, qint64 total)> stopWhen;
    // What each long work was called.
    QStringList longWork;

    // Answers askText gives in turn; the empty text (Cancel) once they run out.
    QStringList answers;
    QList<Question> questions;
    QStringList messages;
    // The files the file dialog picks, each time it opens.
    QStringList pickedFiles;
    // What the clipboard holds, by MIME type.
    QHash<QString, QByteArray> clipboard;

    QList<StartedProgram> started;
    // Set to make startProgram fail.
    bool programsFail = false;

    // Readings of the clock's time of day that now() and the wait for clock
    // ticks give in turn; the last one repeats.
    QStringList clockReadings{QStringLiteral("12:34:56")};
    int clockReads = 0;
    // How often a wait for the clock let the windows handle their events.
    int yields = 0;

    void showMessage(const QString &text) override;
    QString askText(const Question &question, const AnswerPreviewer &previewer) override;
    QStringList askFiles(const QString &title, const QString &folder) override;
    QByteArray clipboardData(const QString &mimeType) override;
    Outcome startProgram(const QString &program, const QStringList &arguments) override;
    QDateTime now() override;
    void waitForClockTicks(int ticks) override;
    void runLongWork(const QString &what, const std::function<void(WorkProgress &)> &work) override;

private:
    QString nextClockReading();
};
