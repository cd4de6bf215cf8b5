// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaultVolume.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// How /proc/self/mounts spells a path: blanks, tabs, newlines and
// backslashes as octal escapes.
QByteArray mountsSpelling(const QString &path)
{
    QByteArray spelled;
    for (char c : QFile::encodeName(path)) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\\')
            spelled += '\\' + QByteArray::number(uchar(c), 8).rightJustified(3, '0');
        else
            spelled += c;
    }
    return spelled;
}

bool isMountPoint(const QString &path)
{
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (path.isEmpty() || !mounts.open(QIODevice::ReadOnly))
        return false;
    return mounts.readAll().contains(' ' + mountsSpelling(path) + ' ');
}

bool runs(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit
           && process.exitCode() == 0;
}

QString defaultProgram()
{
#ifdef FAULTFS_PROGRAM
    return QStringLiteral(FAULTFS_PROGRAM);
#else
    return QStandardPaths::findExecutable(QStringLiteral("faultfs"));
#endif
}

} // namespace

FaultVolume::FaultVolume(const QStringList &fuseOptions, const QString &program)
    : m_folder(QDir::tempPath() + QLatin1Char('/') + FolderPrefix + QStringLiteral("XXXXXX"))
{
    const QString daemon = program.isEmpty() ? defaultProgram() : program;
    if (!QFile::exists(QStringLiteral("/dev/fuse"))) {
        m_whyNot = QStringLiteral("there is no /dev/fuse");
        return;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("fusermount3")).isEmpty()) {
        m_whyNot = QStringLiteral("fusermount3 is not installed");
        return;
    }
    if (daemon.isEmpty() || !QFileInfo(daemon).isExecutable()) {
        m_whyNot = QStringLiteral("the faultfs program '%1' is missing").arg(daemon);
        return;
    }
    if (!m_folder.isValid()) {
        m_whyNot = QStringLiteral("no temporary folder: %1").arg(m_folder.errorString());
        return;
    }
    // The mounts table lists the real path, not one through a symbolic link.
    const QString folder = QFileInfo(m_folder.path()).canonicalFilePath();
    m_source = folder + QStringLiteral("/source");
    m_mountPoint = folder + QStringLiteral("/mnt");
    QDir().mkpath(m_source);
    QDir().mkpath(m_mountPoint);

    const QString log = folder + QStringLiteral("/faultfs.log");
    // A pipe nobody reads would stall the daemon once it filled.
    m_daemon.setStandardOutputFile(QProcess::nullDevice());
    m_daemon.setStandardErrorFile(log);
    // If the test dies, the daemon gets SIGTERM and unmounts on its way out.
    m_daemon.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_daemon.start(daemon, QStringList{m_source, m_mountPoint} + fuseOptions);
    if (!m_daemon.waitForStarted(5000)) {
        m_whyNot = QStringLiteral("%1 did not start: %2").arg(daemon, m_daemon.errorString());
        return;
    }
    const QDeadlineTimer deadline(10000);
    while (!isMountPoint(m_mountPoint)) {
        if (m_daemon.state() == QProcess::NotRunning || m_daemon.waitForFinished(10)) {
            QFile messages(log);
            messages.open(QIODevice::ReadOnly);
            m_whyNot = QStringLiteral("faultfs did not mount: %1")
                           .arg(QString::fromLocal8Bit(messages.readAll()).trimmed());
            return;
        }
        if (deadline.hasExpired()) {
            m_whyNot = QStringLiteral("faultfs did not mount within 10 s");
            m_mounted = true; // so that the destructor still tries to take it down
            unmount();
            return;
        }
    }
    m_mounted = true;
}

FaultVolume::~FaultVolume()
{
    unmount();
    // Never let the temporary folder's removal walk into a volume that is
    // still mounted.
    if (isMountPoint(m_mountPoint))
        m_folder.setAutoRemove(false);
}

QString FaultVolume::controlPath() const
{
    return m_mountPoint + QStringLiteral("/.faultfs");
}

bool FaultVolume::command(const QString &lines)
{
    const QByteArray text = lines.toUtf8() + '\n';
    const int fd = ::open(QFile::encodeName(controlPath()).constData(), O_WRONLY | O_CLOEXEC);
    if (fd == -1)
        return false;
    // Sent in one write: the daemon takes each write as whole lines.
    const bool written = ::write(fd, text.constData(), text.size()) == text.size();
    return ::close(fd) == 0 && written;
}

QMap<QString, qint64> FaultVolume::counters() const
{
    QMap<QString, qint64> counts;
    const int fd = ::open(QFile::encodeName(controlPath()).constData(), O_RDONLY | O_CLOEXEC);
    if (fd == -1)
        return counts;
    // The file claims to be empty, so read until the daemon has no more.
    QByteArray text;
    char chunk[4096];
    for (ssize_t n; (n = ::read(fd, chunk, sizeof chunk)) > 0;)
        text.append(chunk, n);
    ::close(fd);
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 2)
            counts.insert(QString::fromLatin1(fields[0]), fields[1].toLongLong());
    }
    return counts;
}

bool FaultVolume::unmount()
{
    if (m_mounted && isMountPoint(m_mountPoint)) {
        const QString fusermount = QStringLiteral("fusermount3");
        // A file the test still holds open keeps the volume busy; then detach
        // it now and let the kernel finish once that file is closed.
        if (!runs(fusermount, {QStringLiteral("-u"), m_mountPoint}))
            runs(fusermount, {QStringLiteral("-u"), QStringLiteral("-z"), m_mountPoint});
    }
    m_mounted = false;
    // Once unmounted the daemon leaves by itself; after a lazy unmount it may
    // wait for the last file to close, so it is not waited for long.
    if (m_daemon.state() != QProcess::NotRunning && !m_daemon.waitForFinished(2000)) {
        m_daemon.kill();
        m_daemon.waitForFinished(2000);
    }
    return !isMountPoint(m_mountPoint);
}

void FaultVolume::kill()
{
    if (m_daemon.state() == QProcess::NotRunning)
        return;
    m_daemon.kill();
    m_daemon.waitForFinished(5000);
}
