#pragma once

#include "core/changes/ChangeRecord.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class Host;
class QAbstractItemView;
class QMenu;

// A tool's top-level window. While it is open the main menu is hidden;
// however it closes, the main menu comes back. It is deleted when closed,
// so that opening the tool again gives a fresh window.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    ToolWindow(Host &host, QWidget *mainMenu, const QString &name, const QString &caption,
               QSize clientSizeTwips, const QString &iconPath);

    // The context menu of the tool's list: one entry that names the change
    // it would undo, disabled when there is none. The caller owns it.
    QMenu *undoMenu();

public slots:
    // The window is being closed: show the main menu; never cancels.
    void Form_Unload();
    // Undoes the tool's most recent change that is not undone yet, whichever
    // folder and run of the program it was made in, and says what happened.
    void undoLastChange();

protected:
    // Ctrl+Z (outside the text boxes, where it undoes typing) and the context
    // menu of list undo the tool's changes; afterwards shown runs, so that
    // the window shows what is on disk.
    void offerUndo(QAbstractItemView *list, ChangeRecord::Tool tool, std::function<void()> shown);

    // The tool's exit button: hide, close (Form_Unload runs), show the main menu.
    void exitToMainMenu();
    void closeEvent(QCloseEvent *event) override;

    Host &m_host;

private:
    void showMainMenu();

    ChangeRecord::Tool m_tool = ChangeRecord::Tool::Renamer;
    std::function<void()> m_shown;

    QPointer<QWidget> m_mainMenu;
};
