// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/Desktop.h"

#include <QDialog>
#include <QFutureWatcher>

class PreviewRows;
class QLabel;
class QLineEdit;
class QTreeView;

// The box's controls by their objectNames, for accessibility tools and tests.
namespace AnswerPreviewControls {
inline constexpr char answers[] = "BatchAnswers";
inline constexpr char summary[] = "BatchSummary";
inline constexpr char preview[] = "BatchPreview";
} // namespace AnswerPreviewControls

// An input box that shows, under its text field, the answers it understands
// (the line answers) and what the text typed so far would do: the view
// preview lists each name it changes, now and after, marking the rows that
// do not follow the rule; the line summary sums them up. The preview is
// worked out elsewhere, so every key is answered at once; only the preview
// of the text in the field is shown.
class AnswerPreviewBox : public QDialog {
    Q_OBJECT
public:
    // Opens the box, modal over parent, with the question's prompt, title and
    // hint and the field holding its default text, and waits for the user:
    // the field's text on OK, the empty text on Cancel.
    static QString ask(QWidget *parent, const Question &question, const AnswerPreviewer &previewer);

private:
    AnswerPreviewBox(QWidget *parent, const Question &question, const AnswerPreviewer &previewer);
    // Asks for the preview of the text now in the field; the one asked for
    // before is no longer wanted.
    void answerChanged(const QString &answer);
    void showPreview(const AnswerPreview &preview);

    AnswerPreviewer m_previewer;
    QLineEdit *m_answer;
    QLabel *m_summary;
    QTreeView *m_view;
    PreviewRows *m_rows;
    QFutureWatcher<AnswerPreview> m_waiting;
};
