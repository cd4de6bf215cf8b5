// SPDX-License-Identifier: GPL-3.0-or-later
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

    QString askText(const Question &question, const AnswerPreviewer &previewer) override
    {
        questions.append(question);
        QTimer::singleShot(0, [this] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            user(*box);
            if (box->isVisible())
                box->reject();
        });
        return AnswerPreviewBox::ask(QApplication::activeWindow(), question, previewer);
    }
};
