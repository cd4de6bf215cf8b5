#include "gui/controls/DriveListBox.h"

#include "core/base/Paths.h"

#include <QDir>
#include <QStorageInfo>

namespace {

bool isUserVolume(const QString &root)
{
#ifdef Q_OS_WIN
    Q_UNUSED(root);
    return true;
#else
    return root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/"))
        || root.startsWith(QLatin1String("/mnt/"));
#endif
}

} // namespace

DriveListBox::DriveListBox(QWidget *parent) : QComboBox(parent)
{
    QStringList drives{Paths::hostRoot()};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::toNativeSeparators(volume.rootPath());
        if (volume.isValid() && isUserVolume(root) && !drives.contains(root))
            drives << root;
    }
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
