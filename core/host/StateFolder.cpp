// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/StateFolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why a folder on the way to the state folder is refused; none when it is
// fine. The state folder itself must be the user's own.
Outcome::Why refusal(const struct stat &folder, bool isStateFolder)
{
    if (!S_ISDIR(folder.st_mode))
        return Outcome::Why::FolderIsLink;
    if (folder.st_uid != ::getuid() && (isStateFolder || folder.st_uid != 0))
        return Outcome::Why::FolderNotOwn;
    // Whoever may write in a folder may put another in place of what it holds.
    const bool shared = (folder.st_mode & S_ISVTX) != 0;
    const bool othersWrite = (folder.st_mode & S_IWOTH)
                             || ((folder.st_mode & S_IWGRP) && folder.st_gid != ::getgid());
    return othersWrite && !shared && !isStateFolder ? Outcome::Why::FolderOpen : Outcome::Why::None;
}

// Opens name in parent, making it (mode 0700) where it is missing, without
// following a link.
Descriptor openOrMake(int parent, const QByteArray &name)
{
    const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    Descriptor folder(::openat(parent, name.constData(), flags));
    if (!folder && errno == ENOENT && (::mkdirat(parent, name.constData(), 0700) == 0 || errno == EEXIST))
        folder = Descriptor(::openat(parent, name.constData(), flags));
    return folder;
}

// Records that earlier versions left open to others are the user's alone.
void mendRecords(int folder)
{
    DIR *records = ::fdopendir(::dup(folder));
    if (!records)
        return;
    ::rewinddir(records);
    while (const dirent *entry = ::readdir(records)) {
        const Descriptor record(
            ::openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        if (record && ::fstat(record.fd(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::getuid()
            && (info.st_mode & 077))
            ::fchmod(record.fd(), 0600);
    }
    ::closedir(records);
}

} // namespace

Outcome StateFolder::open()
{
    const QString home = QDir::cleanPath(QDir::homePath());
    const QString path = QDir::cleanPath(m_path);
    // The home, and the folders above it, are the system's to lay out.
    const QString anchor = home != u'/' && path.startsWith(home + u'/') ? home : QStringLiteral("/");
    Descriptor folder(::open(QFile::encodeName(anchor).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const QStringList below = path.mid(anchor.size()).split(u'/', Qt::SkipEmptyParts);
    QString reached = anchor;
    const auto refused = [&](const Outcome &why) {
        std::lock_guard lock(m_mutex);
        m_folder.reset();
        return Outcome::folderFailure(Outcome::Why::NoStateFolder, reached, why);
    };
    if (!folder)
        return refused(Outcome::systemError(errno));
    for (qsizetype i = 0; i < below.size(); ++i) {
        reached = QDir(reached).filePath(below[i]);
        Descriptor next = openOrMake(folder.fd(), QFile::encodeName(below[i]));
        struct stat info {};
        if (!next)
            return refused(errno == ELOOP || errno == ENOTDIR ? Outcome::failure(Outcome::Why::FolderIsLink)
                                                              : Outcome::systemError(errno));
        if (::fstat(next.fd(), &info) != 0)
            return refused(Outcome::systemError(errno));
        if (const Outcome::Why why = refusal(info, i + 1 == below.size()); why != Outcome::Why::None)
            return refused(Outcome::failure(why));
        folder = std::move(next);
    }
    struct stat info {};
    if (::fstat(folder.fd(), &info) == 0 && (info.st_mode & 077))
        ::fchmod(folder.fd(), 0700);
    std::lock_guard lock(m_mutex);
    if (!m_recordsMended) {
        mendRecords(folder.fd());
        m_recordsMended = true;
    }
    m_folder = std::make_shared<const Descriptor>(std::move(folder));
    return Outcome::success();
}

std::shared_ptr<const Descriptor> StateFolder::descriptor() const
{
    std::lock_guard lock(m_mutex);
    return m_folder;
}
