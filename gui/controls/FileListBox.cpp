// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/FileListBox.h"

#include "core/base/FolderRows.h"
#include "core/host/FileSystem.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

FileListBox::FileListBox(FileSystem &fileSystem, QWidget *parent)
    : ListBox(false, parent)
    , m_fileSystem(fileSystem)
    , m_path(QDir::toNativeSeparators(QDir::currentPath()))
{
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && !m_takingFocus)
                    emit entryChosen();
            });
    refresh();
}

void FileListBox::setPath(const QString &folder)
{
    m_path = folder;
    refresh();
}

void FileListBox::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    refresh();
}

void FileListBox::refresh()
{
    setItems(folderRows(m_fileSystem.listFolder(m_path), Wildcard(m_pattern), EntryKinds::Files));
}

int FileListBox::selectedIndex() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void FileListBox::keyReleaseEvent(QKeyEvent *event)
{
    ListBox::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit keyReleased(event->key(), event->modifiers());
}

void FileListBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        event->accept();
    else
        ListBox::mousePressEvent(event);
}

void FileListBox::focusInEvent(QFocusEvent *event)
{
    m_takingFocus = true;
    ListBox::focusInEvent(event);
    m_takingFocus = false;
}
