#include "ExfatVolume.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
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

} // namespace

ExfatVolume::ExfatVolume()
    : m_folder(QDir::tempPath() + QLatin1Char('/') + FolderPrefix + QStringLiteral("XXXXXX"))
{
    if (::geteuid() != 0) {
        m_whyNot = QStringLiteral("mounting an exFAT image needs root");
        return;
    }
    if (!QFile::exists(QStringLiteral("/dev/fuse"))) {
        m_whyNot = QStringLiteral("there is no /dev/fuse");
        return;
    }
    for (const char *tool : {"mkfs.exfat", "mount.exfat-fuse", "losetup"}) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(tool),
                                                             {"/usr/sbin", "/sbin", "/usr/bin"});
        if (found.isEmpty()) {
            m_whyNot = QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
            return;
        }
    }
    const QString image = m_folder.filePath(QStringLiteral("volume.img"));
    QFile file(image);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(64 << 20)) {
        m_whyNot = QStringLiteral("no room for a 64 MiB image");
        return;
    }
    file.close();
    if (!run(QStringLiteral("mkfs.exfat"), {image}))
        return;
    if (!run(QStringLiteral("losetup"), {"-f", "--show", image}, &m_device))
        return;
    m_device = m_device.trimmed();
    m_mountPoint = m_folder.filePath(QStringLiteral("mnt"));
    QDir().mkpath(m_mountPoint);
    m_mounted = mount();
}

bool ExfatVolume::mount()
{
    if (!run(QStringLiteral("mount.exfat-fuse"), {m_device, m_mountPoint}))
        return false;
    if (isMountPoint(m_mountPoint))
        return true;
    m_whyNot = QStringLiteral("mount.exfat-fuse did not mount %1").arg(m_device);
    return false;
}

void ExfatVolume::pull()
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

bool ExfatVolume::plugBack()
{
    run(QStringLiteral("umount"), {QStringLiteral("-l"), m_mountPoint});
    return mount();
}

ExfatVolume::~ExfatVolume()
{
    // The FUSE daemon may still hold the volume for a moment after the last
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
}

bool ExfatVolume::run(const QString &program, const QStringList &arguments, QString *output)
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
