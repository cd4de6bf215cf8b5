#pragma once

#include "gui/ToolWindow.h"

#include <QList>
#include <QUrl>

class ListBox;
class QLineEdit;

// The file folderer: video files dropped on the left list get a folder of
// their own, planned in the right list, and M&akeFolders makes the folders
// and moves each file into its folder.
class FolderMaker : public ToolWindow {
    Q_OBJECT
public:
    FolderMaker(Host &host, QWidget *mainMenu);

public slots:
    // Adds the dropped files, shows the count and the last file's folder,
    // and plans the folders anew. A drop that adds no file changes nothing.
    void List1_OLEDragDrop(const QList<QUrl> &urls);
    // Makes the planned folders and moves every listed file into its own,
    // skipping whatever fails without a word; then empties both lists.
    void Command5_Click(); // M&akeFolders
    // Empties both lists; the count and the folder keep their text.
    void Command4_Click(); // Clea&r
    void Command2_Click(); // E&xit

private:
    QLineEdit *m_text1;
    QLineEdit *m_text2;
    ListBox *m_list1;
    ListBox *m_list2;
};
