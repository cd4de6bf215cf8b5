// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/LocalFileSystem.h"

#include <QSocketNotifier>

#include <unistd.h>

LocalFileSystem::LocalFileSystem(const QString &stateFolder)
    : m_state(stateFolder)
{}

LocalFileSystem::~LocalFileSystem()
{
    for (const int fd : std::as_const(m_locks))
        ::close(fd);
}
