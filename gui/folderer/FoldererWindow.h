// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/ToolWindow.h"

#include <QList>
#include <QUrl>

class ListBox;
class QLineEdit;

// The file folderer: video files dropped on the left list get a folder of
// their own, planned in the right list, and M&akeFolders makes the folders
// and moves each file into its folder.
class FoldererWindow : public ToolWindow {
    Q_OBJECT
public:
    FoldererWindow(FileSystem &fileSystem, Desktop &desktop, QWidget *mainMenu);

public slots:
    // Adds the dropped files, shows the count and the last file's folder,
    // and plans the folders anew. A drop that adds no file changes nothing.
    void addFiles(const QList<QUrl> &urls);
    // M&akeFolders: makes the planned folders and moves every listed file
    // into its own, skipping whatever fails without a word; then empties
    // both lists.
    void makeFolders();
    // Clea&r: empties both lists; the count and the folder keep their text.
    void clear();

private:
    QLineEdit *m_count;
    QLineEdit *m_destination;
    ListBox *m_files;
    ListBox *m_folders;
};
