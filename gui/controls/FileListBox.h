// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/controls/ListBox.h"

class FileSystem;

// The files of one folder that match a wildcard pattern, one name per row,
// listed synchronously: after refresh() the rows are the folder's names as
// they are on disk at that moment. Hidden files are not listed.
class FileListBox : public ListBox {
    Q_OBJECT
public:
    FileListBox(FileSystem &fileSystem, QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Points the list at a folder and lists it anew.
    void setPath(const QString &folder);
    QString pattern() const { return m_pattern; }
    // Sets the pattern (DOS wildcards, ";" between several) and lists anew.
    void setPattern(const QString &pattern);
    // Lists the folder anew; the selection is lost.
    void refresh();

    // The row the user last chose, or -1.
    int selectedIndex() const;
    QString selectedName() const { return item(selectedIndex()); }

signals:
    // The user chose a row, by mouse or keyboard.
    void entryChosen();
    // A key was released while the list had the focus.
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    // A right click opens the context menu without choosing a row: choosing
    // one would overwrite what the user typed into CHANGE THIS and RENAME TO.
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    // The view makes its first row current when it gets the focus; that is
    // no choice of the user's.
    bool m_takingFocus = false;
    FileSystem &m_fileSystem;
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
};
