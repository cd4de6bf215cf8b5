#include "gui/controls/FolderListBox.h"

#include "core/host/FolderListing.h"
#include "core/base/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int PathRole = Qt::UserRole;

QString nativeFolderPath(const QString &text)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(text).absoluteFilePath()));
}

} // namespace

FolderListBox::FolderListBox(QWidget *parent)
    : QListWidget(parent), m_path(nativeFolderPath(QDir::currentPath()))
{
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *row) { setPath(row->data(PathRole).toString()); });
    refresh();
}

bool FolderListBox::setPath(const QString &folder)
{
    if (!QDir::isAbsolutePath(folder) || !QFileInfo(folder).isDir())
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
    QStringList chain;
    for (QDir dir(m_path);; ) {
        chain.prepend(QDir::toNativeSeparators(dir.absolutePath()));
        if (!dir.cdUp())
            break;
    }
    int depth = 0;
    for (const QString &folder : chain) {
        const QString label = depth == 0 ? folder : Paths::lastComponent(folder);
        auto *row = new QListWidgetItem(QString(depth * 2, u' ') + label, this);
        row->setData(PathRole, folder);
        ++depth;
    }
    setCurrentRow(count() - 1);
    for (const QString &name : listEntries(m_path, Wildcard(QStringLiteral("*")), EntryKinds::Folders)) {
        auto *row = new QListWidgetItem(QString(depth * 2, u' ') + name, this);
        row->setData(PathRole, QDir::toNativeSeparators(QDir(m_path).filePath(name)));
    }
}
