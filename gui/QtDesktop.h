// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/Desktop.h"

#include <functional>

// The desktop as the program finds it: Qt's dialogs and clipboard, outside
// programs started directly, the wall clock, and long work on Qt's pool.
class QtDesktop : public Desktop {
public:
    // The application's title, which every message box carries.
    static inline const QString Title = QStringLiteral("Tamsells File Utilities");

    void showMessage(const QString &text) override;
    QString askText(const Question &question, const AnswerPreviewer &previewer) override;
    QStringList askFiles(const QString &title, const QString &folder) override;
    QByteArray clipboardData(const QString &mimeType) override;
    Outcome startProgram(const QString &program, const QStringList &arguments) override;
    QDateTime now() override;
    void waitForClockTicks(int ticks) override;
    void runLongWork(const QString &what, const std::function<void(WorkProgress &)> &work) override;

    // Runs later what must not run beside long work (recovery when a drive
    // comes back): at once when none runs, else once it has ended.
    void runWhenIdle(std::function<void()> later);

private:
    bool m_working = false;
    std::function<void()> m_whenIdle;
};
