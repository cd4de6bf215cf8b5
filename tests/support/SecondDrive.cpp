// SPDX-License-Identifier: GPL-3.0-or-later
#include "SecondDrive.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

SecondDrive::SecondDrive(const QString &at)
    : m_path(at.isEmpty() ? m_folder.path() : at)
{
    if (::mount("none", QFile::encodeName(m_path).constData(), "tmpfs", 0, "size=4m") == 0)
        m_mounted = true;
    else
        m_whyNot = QStringLiteral("no tmpfs can be mounted here (%1); the test needs root")
                       .arg(QString::fromLocal8Bit(std::strerror(errno)));
}

SecondDrive::~SecondDrive()
{
    unmount();
}

void SecondDrive::unmount()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    m_mounted = false;
}
