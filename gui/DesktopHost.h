#pragma once

#include "core/host/LocalHost.h"

// The program's host on the desktop: the local machine, with Qt's dialogs.
class DesktopHost : public LocalHost {
public:
    // The application's title, which every message box carries.
    static inline const QString Title = QStringLiteral("Tamsells File Utilities");

    void ShowMessage(const QString &text) override;
    QString AskText(const QString &prompt, const QString &title, const QString &defaultText,
                    const QString &hint, const AnswerPreviewer &previewer) override;
    QStringList AskFiles(const QString &title, const QString &folder) override;
    QByteArray ClipboardData(const QString &mimeType) override;
    void RunLongWork(const QString &what, const std::function<void(WorkProgress &)> &work) override;
};
