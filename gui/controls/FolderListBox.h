// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

class FileSystem;

// The current folder with the chain of folders above it and the folders
// inside it; opening a row (double click or Enter) makes it the current
// folder.
class FolderListBox : public QListWidget {
    Q_OBJECT
public:
    FolderListBox(FileSystem &fileSystem, QWidget *parent = nullptr);

    // The current folder: native form, no trailing separator except at the root.
    QString path() const { return m_path; }
    // Makes an existing folder, named by an absolute path, the current one.
    // Returns false, and changes nothing, when the text names no folder.
    // pathChanged is raised only when the current folder changes.
    bool setPath(const QString &folder);
    // Shows the folder's subfolders anew.
    void refresh();

signals:
    void pathChanged();

private:
    FileSystem &m_fileSystem;
    QString m_path;
};
