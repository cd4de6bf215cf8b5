#pragma once

#include <QPointer>
#include <QWidget>

class Host;

// A tool's top-level window. While it is open the main menu is hidden;
// however it closes, the main menu comes back. It is deleted when closed,
// so that opening the tool again gives a fresh window.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    ToolWindow(Host &host, QWidget *mainMenu, const QString &name, const QString &caption,
               QSize clientSizeTwips, const QString &iconPath);

public slots:
    // The window is being closed: show the main menu; never cancels.
    void Form_Unload();

protected:
    // The tool's exit button: hide, close (Form_Unload runs), show the main menu.
    void exitToMainMenu();
    void closeEvent(QCloseEvent *event) override;

    Host &m_host;

private:
    void showMainMenu();

    QPointer<QWidget> m_mainMenu;
};
