// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Outcome.h"
#include "core/base/WorkProgress.h"
#include "core/renamer/BatchJob.h"

#include <QByteArray>
#include <QDateTime>
#include <QFuture>
#include <QString>
#include <QStringList>
#include <functional>

// Works out what an answer would do. It returns at once and does the work
// elsewhere, so that the box answers every key while it waits.
using AnswerPreviewer = std::function<QFuture<AnswerPreview>(const QString &answer)>;

// A question asked in an input box: its prompt and title, the text its field
// holds at first, and a line under the field that names the answers it
// understands.
struct Question {
    QString prompt;
    QString title;
    QString defaultText;
    QString hint;
};

// What the windows need of the desktop besides the file system: dialogs,
// the clipboard, outside programs, the clock and long work. The windows
// reach the disk through the core's file system only.
class Desktop {
public:
    virtual ~Desktop() = default;

    // A modal message box with one OK button, no icon and the application's title.
    virtual void showMessage(const QString &text) = 0;
    // A modal input box that shows, for the text in its field, the preview
    // that previewer works out; the field's text on OK, the empty text on Cancel.
    virtual QString askText(const Question &question, const AnswerPreviewer &previewer) = 0;
    // A modal file dialog, opened in folder, in which the user picks existing
    // files; their paths, or nothing on Cancel.
    virtual QStringList askFiles(const QString &title, const QString &folder) = 0;
    // What the clipboard holds in a MIME type ("text/uri-list"); empty when
    // it holds nothing of that type.
    virtual QByteArray clipboardData(const QString &mimeType) = 0;

    // Starts program with arguments (never through a shell) and returns at
    // once; failure says why (the program is missing, or would not start).
    virtual Outcome startProgram(const QString &program, const QStringList &arguments) = 0;

    // The date and time now.
    virtual QDateTime now() = 0;
    // Returns once the clock's time of day ("hh:mm:ss") has changed ticks
    // times, the windows repainting meanwhile.
    virtual void waitForClockTicks(int ticks) = 0;

    // Runs work on a worker and returns when it is done. Meanwhile the windows
    // repaint but take no input, and once the work has run for about half a
    // second a window-modal box with a progress bar, titled what, lets the
    // user stop it. A window closed meanwhile stops the work the same way,
    // and closes once it has ended. The work touches no widget.
    virtual void runLongWork(const QString &what, const std::function<void(WorkProgress &)> &work) = 0;
};
