#include "app/ToolWindow.h"

#include "app/controls/WindowLayout.h"

#include <QCloseEvent>
#include <QIcon>

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
