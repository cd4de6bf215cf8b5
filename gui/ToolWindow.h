// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/ChangeRecord.h"

struct ChangeOutcome;

#include <QList>
#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <functional>

class Desktop;
class FileSystem;
class WorkProgress;
class ListBox;
class QAbstractItemView;
class QLineEdit;
class QMenu;

// A tool's top-level window. While it is open the main menu is hidden;
// however it closes, the main menu comes back. It is deleted when closed,
// so that opening the tool again gives a fresh window.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    // The tool's window over the file system and the desktop, its table name
    // (its objectName), caption, client size and icon.
    ToolWindow(FileSystem &fileSystem, Desktop &desktop, QWidget *mainMenu, const char *name,
               const QString &caption, QSize clientSizeTwips, const QString &iconPath);

public slots:
    // Undoes the tool's most recent change that is not undone yet, whichever
    // folder and run of the program it was made in, and says what happened.
    void undoLastChange();

protected:
    // Ctrl+Z (outside the text boxes, where it undoes typing) and the context
    // menu of list undo the tool's changes; afterwards showWhatIsOnDisk runs,
    // so that the window shows the names on disk.
    void offerUndo(QAbstractItemView *list, ChangeRecord::Tool tool, std::function<void()> showWhatIsOnDisk);
    // Notes how the window's last change ended: where Ctrl+Z would not undo
    // it (it moved nothing, or could not be recorded), the next Ctrl+Z
    // reaches past it, and its message names the change it undoes.
    void noteChange(const ChangeOutcome &outcome);
    // Lets a keyboard user give list files, as if they had been dropped on
    // it: Ctrl+V (outside the text boxes, where it pastes text) pastes the
    // files copied in a file manager, Insert opens a file dialog in the
    // folder that folderBox names, and list's context menu offers both.
    // The files' URLs go to drop, the window's drop handler.
    void takeFilesByKeyboard(ListBox *list, const QLineEdit *folderBox,
                             std::function<void(const QList<QUrl> &)> drop);

    // The tool's exit button: hide, close, show the main menu.
    void exitToMainMenu();
    // However the window closes, the main menu comes back. (A window closed
    // while its change runs closes once the change has stopped: see
    // Desktop::runLongWork.)
    void closeEvent(QCloseEvent *event) override;

    FileSystem &m_fileSystem;
    Desktop &m_desktop;

private:
    void showMainMenu();
    // The context menu of a list: the entries that give it files, then the
    // undo entry, as the list offers them.
    void showListMenu(const QPoint &at);
    void addUndoEntry(QMenu *menu);
    void pasteFiles();
    void pickFiles();

    ChangeRecord::Tool m_tool = ChangeRecord::Tool::Renamer;
    bool m_nameNextUndo = false;
    // Shows what is on disk after an undo; nothing where the window lists no folder.
    std::function<void()> m_showWhatIsOnDisk;
    QAbstractItemView *m_undoList = nullptr;
    QAbstractItemView *m_filesList = nullptr;
    const QLineEdit *m_folderBox = nullptr;
    std::function<void(const QList<QUrl> &)> m_drop;

    QPointer<QWidget> m_mainMenu;
};
