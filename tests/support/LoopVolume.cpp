// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoopVolume.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/mount.h>
#include <unistd.h>

namespace {

bool isMountPoint(const QString &path)
{
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (!mounts.open(QIODevice::ReadOnly))
        return false;
    const QByteArray needle = ' ' + QFile::encodeName(path) + ' ';
    return mounts.readAll().contains(needle);
}

struct Tools {
    const char *mkfs;
    QStringList options;
    qint64 size;
};

Tools toolsOf(LoopVolume::Kind kind)
{
    switch (kind) {
    case LoopVolume::Kind::Exfat:
        return {"mkfs.exfat", {}, 64 << 20};
    case LoopVolume::Kind::Ext4:
        return {"mkfs.ext4", {"-q", "-F"}, 64 << 20};
    case LoopVolume::Kind::Btrfs:
        return {"mkfs.btrfs", {"-q"}, 128 << 20};
    }
    return {};
}

} // namespace

LoopVolume::LoopVolume(Kind kind, const QString &mountPoint)
    : m_kind(kind)
    , m_folder(QDir::tempPath() + QLatin1Char('/') + FolderPrefix + QStringLiteral("XXXXXX"))
{
    if (::geteuid() != 0) {
        m_whyNot = QStringLiteral("mounting an image needs root");
        return;
    }
    if (kind == Kind::Exfat && !QFile::exists(QStringLiteral("/dev/fuse"))) {
        m_whyNot = QStringLiteral("there is no /dev/fuse");
        return;
    }
    const Tools tools = toolsOf(kind);
    for (const char *tool : {tools.mkfs, kind == Kind::Exfat ? "mount.exfat-fuse" : "mount", "losetup"}) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(tool),
                                                             {"/usr/sbin", "/sbin", "/usr/bin", "/bin"});
        if (found.isEmpty()) {
            m_whyNot = QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
            return;
        }
    }
    m_image = m_folder.filePath(QStringLiteral("volume.img"));
    QFile file(m_image);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(tools.size)) {
        m_whyNot = QStringLiteral("no room for an image");
        return;
    }
    file.close();
    if (!run(QLatin1String(tools.mkfs), tools.options + QStringList{m_image}) || !attach())
        return;
    m_mountPoint = mountPoint.isEmpty() ? m_folder.filePath(QStringLiteral("mnt")) : mountPoint;
    QDir().mkpath(m_mountPoint);
    m_mounted = mount();
}

bool LoopVolume::attach(const QString &avoid)
{
    // A placeholder holds the device to avoid while the image takes the next.
    QString free, placeholder;
    if (!run(QStringLiteral("losetup"), {"-f"}, &free))
        return false;
    const QString dummy = m_folder.filePath(QStringLiteral("placeholder.img"));
    if (free.trimmed() == avoid) {
        QFile file(dummy);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(1 << 20)
            || !run(QStringLiteral("losetup"), {"-f", "--show", dummy}, &placeholder))
            return false;
    }
    const bool attached = run(QStringLiteral("losetup"), {"-f", "--show", m_image}, &m_device);
    m_device = m_device.trimmed();
    if (!placeholder.isEmpty())
        run(QStringLiteral("losetup"), {"-d", placeholder.trimmed()});
    return attached;
}

bool LoopVolume::mount()
{
    const bool mounted = m_kind == Kind::Exfat
                             ? run(QStringLiteral("mount.exfat-fuse"), {m_device, m_mountPoint})
                             : run(QStringLiteral("mount"), {m_device, m_mountPoint});
    if (mounted && isMountPoint(m_mountPoint))
        return true;
    m_whyNot = QStringLiteral("%1 was not mounted").arg(m_device);
    return false;
}

void LoopVolume::pull()
{
    // The daemon is the process whose command line names the loop device.
    const QByteArray device = QFile::encodeName(m_device);
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (pid.toInt() > 0 && commandLine.open(QIODevice::ReadOnly)
            && commandLine.readAll().split('\0').contains(device))
            ::kill(pid.toInt(), SIGKILL);
    }
}

bool LoopVolume::plugBack()
{
    run(QStringLiteral("umount"), {QStringLiteral("-l"), m_mountPoint});
    return mount();
}

void LoopVolume::takeOut()
{
    // A FUSE daemon may still hold the volume for a moment after the last
    // file was closed.
    for (int attempt = 0; attempt < 50 && isMountPoint(m_mountPoint); ++attempt) {
        if (run(QStringLiteral("umount"), {m_mountPoint}))
            break;
        QThread::msleep(100);
    }
    for (int attempt = 0; attempt < 50 && !m_device.isEmpty(); ++attempt) {
        if (run(QStringLiteral("losetup"), {"-d", m_device}))
            break;
        QThread::msleep(100);
    }
    m_mounted = false;
}

bool LoopVolume::plugInElsewhere()
{
    const QString before = m_device;
    takeOut();
    m_device.clear();
    // btrfs makes its device numbers up, the lowest free first: a tmpfs
    // holds the one it had while it comes back.
    const QByteArray holder = QFile::encodeName(m_folder.filePath(QStringLiteral("holder")));
    const bool holding = QDir().mkpath(QFile::decodeName(holder))
                         && ::mount("none", holder.constData(), "tmpfs", 0, "size=64k") == 0;
    m_mounted = attach(before) && mount();
    if (holding)
        ::umount2(holder.constData(), MNT_DETACH);
    return m_mounted;
}

LoopVolume::~LoopVolume()
{
    takeOut();
}

bool LoopVolume::run(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        m_whyNot = QStringLiteral("%1 failed: %2")
                       .arg(program, QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return true;
}
