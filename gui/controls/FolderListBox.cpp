// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/FolderListBox.h"

#include "core/base/FolderRows.h"
#include "core/base/Paths.h"
#include "core/host/FileSystem.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int PathRole = Qt::UserRole;

// An absolute folder path in native form, without "." or ".." parts and
// without a trailing separator except at the root.
QString nativeFolderPath(const QString &text)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(text).absoluteFilePath()));
}

} // namespace

FolderListBox::FolderListBox(FileSystem &fileSystem, QWidget *parent)
    : QListWidget(parent)
    , m_fileSystem(fileSystem)
    , m_path(nativeFolderPath(QDir::currentPath()))
{
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *row) { setPath(row->data(PathRole).toString()); });
    refresh();
}

bool FolderListBox::setPath(const QString &folder)
{
    if (!QDir::isAbsolutePath(folder))
        return false;
    if (m_fileSystem.entryKind(folder) != FolderEntry::Folder)
        return false;
    const QString path = nativeFolderPath(folder);
    if (path == m_path)
        return true;
    m_path = path;
    refresh();
    emit pathChanged();
    return true;
}

void FolderListBox::refresh()
{
    clear();
    // The chain from the root down to the current folder, each indented one
    // step more, then the current folder's own subfolders.
    QStringList chain{m_path};
    for (QString folder = Paths::folderPart(m_path); !folder.isEmpty() && folder != chain.first();
         folder = Paths::folderPart(folder))
        chain.prepend(folder);
    int depth = 0;
    for (const QString &folder : chain) {
        const QString label = depth == 0 ? folder : Paths::lastComponent(folder);
        auto *row = new QListWidgetItem(QString(depth * 2, u' ') + label, this);
        row->setData(PathRole, folder);
        ++depth;
    }
    setCurrentRow(count() - 1);
    for (const QString &name :
         folderRows(m_fileSystem.listFolder(m_path), Wildcard(QStringLiteral("*")), EntryKinds::Folders)) {
        auto *row = new QListWidgetItem(QString(depth * 2, u' ') + name, this);
        row->setData(PathRole, Paths::join(m_path, name));
    }
}
