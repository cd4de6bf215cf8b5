// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/LocalFileSystem.h"

#include "core/base/Paths.h"

#include <QDir>
#include <QSocketNotifier>
#include <QStorageInfo>

#include <fcntl.h>

// The local machine's volumes: the drives the user may browse, and the
// mount table watched for volumes that come and go.

namespace {

// Whether a mounted volume is one of the user's own, as the desktop mounts
// removable media and shares, rather than a part of the system.
bool isUserVolume(const QString &root)
{
    return root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/"))
           || root.startsWith(QLatin1String("/mnt/"));
}

} // namespace

QStringList LocalFileSystem::listDrives()
{
    QStringList drives{Paths::hostRoot()};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::toNativeSeparators(volume.rootPath());
        if (volume.isValid() && isUserVolume(root) && !drives.contains(root))
            drives << root;
    }
    return drives;
}

void LocalFileSystem::watchVolumes(std::function<void()> changed)
{
    // The mount table tells its readers of every change as an exceptional
    // condition on the open file.
    Descriptor mounts(::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC));
    if (!mounts)
        return;
    m_volumeEvents = std::make_unique<QSocketNotifier>(mounts.fd(), QSocketNotifier::Exception);
    m_mountTable = std::move(mounts);
    QObject::connect(m_volumeEvents.get(), &QSocketNotifier::activated, m_volumeEvents.get(),
                     [changed = std::move(changed)] { changed(); });
}
