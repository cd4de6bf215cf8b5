#pragma once

#include "TestHost.h"

#include "gui/AnswerPreviewBox.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// The test host with the program's own input box: while the box is open,
// user acts on it as a person at the keyboard would. A box that user leaves
// open is cancelled.
class RealBoxHost : public TestHost {
public:
    std::function<void(QDialog &box)> user;

    QString AskText(const QString &prompt, const QString &title, const QString &defaultText,
                    const QString &hint, const AnswerPreviewer &previewer) override
    {
        questions.append({prompt, title, defaultText});
        QTimer::singleShot(0, [this] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            user(*box);
            if (box->isVisible())
                box->reject();
        });
        return AnswerPreviewBox::ask(QApplication::activeWindow(), prompt, title, defaultText, hint,
                                     previewer);
    }
};
