// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/DriveListBox.h"

#include "core/host/FileSystem.h"

#include <QAccessibleWidget>
#include <QDir>

namespace {

// Qt 6.4 on Linux names a drop-down list by its chosen entry and leaves its
// name to a label beside it; the drive list has no label, so a screen reader
// would hear "/" for it. Here its accessible name stays its name and the
// chosen drive is its value.
class DriveListAccessible : public QAccessibleWidget {
public:
    explicit DriveListAccessible(QWidget *list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<QComboBox *>(widget())->currentText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *driveListAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("DriveListBox") && object->isWidgetType())
        return new DriveListAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

DriveListBox::DriveListBox(FileSystem &fileSystem, QWidget *parent)
    : QComboBox(parent)
{
    static const bool installed = (QAccessible::installFactory(driveListAccessible), true);
    Q_UNUSED(installed);
    const QStringList drives = fileSystem.listDrives();
    addItems(drives);

    // Start on the drive that holds the program's current folder.
    const QString current = QDir::toNativeSeparators(QDir::currentPath());
    int best = 0;
    for (int i = 1; i < drives.size(); ++i)
        if (current.startsWith(drives.at(i)) && drives.at(i).size() > drives.at(best).size())
            best = i;
    setCurrentIndex(best);

    connect(this, &QComboBox::activated, this, &DriveListBox::driveChanged);
}
