#include "gui/controls/DriveListBox.h"

#include "core/host/Host.h"

#include <QDir>

DriveListBox::DriveListBox(Host &host, QWidget *parent) : QComboBox(parent)
{
    const QStringList drives = host.ListDrives();
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
