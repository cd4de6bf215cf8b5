#include "gui/ToolWindow.h"

#include "gui/controls/WindowLayout.h"

#include "core/changes/ChangeJournal.h"
#include "core/host/Host.h"
#include "core/changes/Undo.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QShortcut>

ToolWindow::ToolWindow(Host &host, QWidget *mainMenu, const QString &name, const QString &caption,
                       QSize clientSizeTwips, const QString &iconPath)
    : m_host(host), m_mainMenu(mainMenu)
{
    setObjectName(name);
    setWindowTitle(caption);
    setWindowIcon(QIcon(iconPath));
    setFixedSize(WindowLayout::clientSize(clientSizeTwips.width(), clientSizeTwips.height()));
    setAttribute(Qt::WA_DeleteOnClose);
}

void ToolWindow::Form_Unload()
{
    showMainMenu();
}

void ToolWindow::exitToMainMenu()
{
    hide();
    close();
    showMainMenu();
}

void ToolWindow::closeEvent(QCloseEvent *event)
{
    Form_Unload();
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
                           std::function<void()> shown)
{
    m_tool = tool;
    m_shown = std::move(shown);
    // A text box with the focus takes Ctrl+Z for its own typing first.
    auto *undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, &ToolWindow::undoLastChange);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint &at) {
        QMenu *menu = undoMenu();
        menu->exec(list->viewport()->mapToGlobal(at));
        delete menu;
    });
}

QMenu *ToolWindow::undoMenu()
{
    QStringList setAside;
    const std::optional<StoredChange> latest = ChangeJournal(m_host).latestUndoable(m_tool, setAside);
    auto *menu = new QMenu(this);
    QAction *undo = menu->addAction(latest ? latest->record.undoCaption()
                                           : QStringLiteral("Undo (nothing to undo)"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setEnabled(latest.has_value());
    connect(undo, &QAction::triggered, this, &ToolWindow::undoLastChange);
    if (!setAside.isEmpty())
        m_host.ShowMessage(setAside.join(u'\n'));
    return menu;
}

void ToolWindow::undoLastChange()
{
    const QString message = undoLatest(m_host, m_tool);
    if (m_shown)
        m_shown();
    m_host.ShowMessage(message);
}
