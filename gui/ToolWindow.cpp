// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ToolWindow.h"

#include "gui/controls/ListBox.h"
#include "gui/controls/WindowLayout.h"

#include "core/base/CopiedFiles.h"
#include "core/changes/ChangeJournal.h"
#include "core/host/FileSystem.h"
#include "gui/Desktop.h"
#include "core/changes/Undo.h"
#include "gui/words/ChangeWords.h"
#include "gui/words/DropWords.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QLineEdit>
#include <QIcon>
#include <QMenu>
#include <QShortcut>

ToolWindow::ToolWindow(FileSystem &fileSystem, Desktop &desktop, QWidget *mainMenu, const char *name,
                       const QString &caption, QSize clientSizeTwips, const QString &iconPath)
    : m_fileSystem(fileSystem)
    , m_desktop(desktop)
    , m_mainMenu(mainMenu)
{
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    setWindowIcon(QIcon(iconPath));
    setFixedSize(WindowLayout::clientSize(clientSizeTwips.width(), clientSizeTwips.height()));
    setAttribute(Qt::WA_DeleteOnClose);
}

void ToolWindow::exitToMainMenu()
{
    hide();
    close();
    showMainMenu();
}

void ToolWindow::closeEvent(QCloseEvent *event)
{
    showMainMenu();
    event->accept();
}

void ToolWindow::showMainMenu()
{
    if (m_mainMenu) {
        m_mainMenu->show();
        m_mainMenu->activateWindow();
    }
}

void ToolWindow::offerUndo(QAbstractItemView *list, ChangeRecord::Tool tool,
                           std::function<void()> showWhatIsOnDisk)
{
    m_tool = tool;
    m_showWhatIsOnDisk = std::move(showWhatIsOnDisk);
    m_undoList = list;
    // A text box with the focus takes Ctrl+Z for its own typing first.
    auto *undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, &ToolWindow::undoLastChange);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, &ToolWindow::showListMenu,
            Qt::UniqueConnection);
}

void ToolWindow::takeFilesByKeyboard(ListBox *list, const QLineEdit *folderBox,
                                     std::function<void(const QList<QUrl> &)> drop)
{
    m_filesList = list;
    m_folderBox = folderBox;
    m_drop = std::move(drop);
    // A text box with the focus takes Ctrl+V for its own text first.
    connect(new QShortcut(QKeySequence::Paste, this), &QShortcut::activated, this, &ToolWindow::pasteFiles);
    connect(new QShortcut(Qt::Key_Insert, this), &QShortcut::activated, this, &ToolWindow::pickFiles);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, &ToolWindow::showListMenu,
            Qt::UniqueConnection);
}

void ToolWindow::showListMenu(const QPoint &at)
{
    auto *list = qobject_cast<QAbstractItemView *>(sender());
    QMenu menu(this);
    if (list == m_filesList) {
        QAction *pick = menu.addAction(tr("Add Files\u2026"), this, &ToolWindow::pickFiles);
        pick->setShortcut(Qt::Key_Insert);
        QAction *paste = menu.addAction(tr("Paste Files"), this, &ToolWindow::pasteFiles);
        paste->setShortcut(QKeySequence::Paste);
    }
    if (list == m_undoList) {
        if (!menu.isEmpty())
            menu.addSeparator();
        addUndoEntry(&menu);
    }
    menu.exec(list->viewport()->mapToGlobal(at));
}

void ToolWindow::addUndoEntry(QMenu *menu)
{
    QList<JournalNote> notes;
    const std::optional<StoredChange> latest = ChangeJournal(m_fileSystem).latestUndoable(m_tool, notes);
    QAction *undo = menu->addAction(ChangeWords::undoCaption(latest));
    undo->setShortcut(QKeySequence::Undo);
    undo->setEnabled(latest.has_value());
    connect(undo, &QAction::triggered, this, &ToolWindow::undoLastChange);
    if (!notes.isEmpty()) {
        QStringList told;
        for (const JournalNote &note : std::as_const(notes))
            told << ChangeWords::note(note);
        m_desktop.showMessage(told.join(u'\n'));
    }
}

void ToolWindow::pasteFiles()
{
    const QList<QUrl> urls = copiedFiles(
        [this](const QString &mimeType) { return m_desktop.clipboardData(mimeType); });
    if (urls.isEmpty())
        m_desktop.showMessage(DropWords::nothingToPaste());
    else
        m_drop(urls);
}

void ToolWindow::pickFiles()
{
    QList<QUrl> urls;
    for (const QString &path : m_desktop.askFiles(tr("Add Files"), m_folderBox->text()))
        urls << QUrl::fromLocalFile(path);
    if (!urls.isEmpty())
        m_drop(urls);
}

void ToolWindow::noteChange(const ChangeOutcome &outcome)
{
    m_nameNextUndo = (!outcome.at.isEmpty() || outcome.refused) && !outcome.undoable;
}

void ToolWindow::undoLastChange()
{
    UndoLatestReport report;
    m_desktop.runLongWork(ChangeWords::undoing(), [&](WorkProgress &progress) {
        report = undoLatest(m_fileSystem, m_tool, &progress);
    });
    if (m_showWhatIsOnDisk)
        m_showWhatIsOnDisk();
    m_desktop.showMessage(ChangeWords::undoneLatest(report, std::exchange(m_nameNextUndo, false)));
}
