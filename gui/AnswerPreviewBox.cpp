// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/AnswerPreviewBox.h"

#include "gui/controls/WarningLook.h"
#include "gui/words/RenamerWords.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

// The rows of a preview: column 0 the name now, column 1 the name after.
class PreviewRows : public QAbstractTableModel {
public:
    explicit PreviewRows(QTreeView *view)
        : QAbstractTableModel(view)
        , m_look(new WarningLook(view))
    {
        connect(m_look, &WarningLook::changed, this, [this] {
            if (!m_rows.isEmpty())
                emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        });
    }

    void setRows(QList<AnswerPreview::Row> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 2; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_rows.size())
            return {};
        const AnswerPreview::Row &row = m_rows.at(index.row());
        const QString &name = index.column() == 0 ? row.before : row.after;
        if (role == Qt::DisplayRole)
            return name;
        // A marked row has its warning icon once, before the name now.
        if (role != Qt::DecorationRole || index.column() == 0)
            if (const QVariant look = m_look->data(role, RenamerWords::warning(row.outcome)); look.isValid())
                return look;
        // Long names are cut short in the view; the tooltip shows them whole.
        if (role == Qt::ToolTipRole)
            return name;
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return section == 0 ? AnswerPreviewBox::tr("Name now") : AnswerPreviewBox::tr("Name after");
    }

private:
    WarningLook *m_look;
    QList<AnswerPreview::Row> m_rows;
};

AnswerPreviewBox::AnswerPreviewBox(QWidget *parent, const Question &question,
                                   const AnswerPreviewer &previewer)
    : QDialog(parent)
    , m_previewer(previewer)
    , m_answer(new QLineEdit(question.defaultText, this))
    , m_summary(new QLabel(this))
    , m_view(new QTreeView(this))
    , m_rows(new PreviewRows(m_view))
{
    setWindowTitle(question.title);
    resize(760, 460);
    auto *promptLabel = new QLabel(question.prompt, this);
    promptLabel->setBuddy(m_answer);
    m_answer->setAccessibleName(question.prompt);
    m_answer->selectAll();

    auto *answers = new QLabel(question.hint, this);
    answers->setObjectName(QLatin1String(AnswerPreviewControls::answers));
    answers->setWordWrap(true);
    answers->setAccessibleName(tr("Answers the box understands"));

    m_summary->setObjectName(QLatin1String(AnswerPreviewControls::summary));
    m_summary->setWordWrap(true);
    m_summary->setAccessibleName(tr("What the answer does"));

    m_view->setObjectName(QLatin1String(AnswerPreviewControls::preview));
    m_view->setAccessibleName(tr("Names the answer changes"));
    m_view->setModel(m_rows);
    m_view->setRootIsDecorated(false);
    m_view->setItemsExpandable(false);
    // Thousands of rows: each as high as the first, and the columns shared
    // out by width rather than measured on every name.
    m_view->setUniformRowHeights(true);
    m_view->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A path below the folder (LIBRARY's) is cut in its middle, so that
    // both its first folder and its file's name show.
    m_view->setTextElideMode(Qt::ElideMiddle);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel);
    layout->addWidget(m_answer);
    layout->addWidget(answers);
    layout->addWidget(m_summary);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);

    connect(&m_waiting, &QFutureWatcherBase::finished, this, [this] {
        if (!m_waiting.isCanceled())
            showPreview(m_waiting.result());
    });
    connect(m_answer, &QLineEdit::textChanged, this, &AnswerPreviewBox::answerChanged);
    answerChanged(question.defaultText);
}

QString AnswerPreviewBox::ask(QWidget *parent, const Question &question, const AnswerPreviewer &previewer)
{
    AnswerPreviewBox box(parent, question, previewer);
    return box.exec() == QDialog::Accepted ? box.m_answer->text() : QString();
}

void AnswerPreviewBox::answerChanged(const QString &answer)
{
    m_waiting.cancel();
    const QFuture<AnswerPreview> preview = m_previewer(answer);
    if (preview.isFinished()) {
        m_waiting.setFuture({});
        showPreview(preview.result());
        return;
    }
    // The rows of the answer before stay, greyed, until these come.
    m_summary->setText(tr("Working out what this answer does\u2026"));
    m_view->setEnabled(false);
    m_waiting.setFuture(preview);
}

void AnswerPreviewBox::showPreview(const AnswerPreview &preview)
{
    m_rows->setRows(preview.rows);
    m_summary->setText(RenamerWords::summary(preview));
    m_view->setEnabled(true);
}
