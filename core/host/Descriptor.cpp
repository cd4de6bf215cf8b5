// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/Descriptor.h"

#include <QtGlobal>

#include <optional>
#include <string>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>
#if __has_include(<linux/openat2.h>)
#include <linux/openat2.h>
#endif

Descriptor &Descriptor::operator=(Descriptor &&other) noexcept
{
    // The descriptor held so far is closed as old goes.
    Descriptor old(std::exchange(m_fd, std::exchange(other.m_fd, -1)));
    return *this;
}

Descriptor::~Descriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

namespace {

// openat2 with resolve's rules; nothing when the kernel does not know the
// call, or a sandbox's filter refuses a call it does not know.
std::optional<Descriptor> openWithRules(int at, const char *path, quint64 resolve, int access = O_RDONLY)
{
#ifdef RESOLVE_NO_SYMLINKS
    open_how how{};
    how.flags = quint64(access) | O_DIRECTORY | O_CLOEXEC;
    how.resolve = resolve;
    const long fd = ::syscall(SYS_openat2, at, path, &how, sizeof how);
    if (fd >= 0 || (errno != ENOSYS && errno != EPERM))
        return Descriptor(int(fd));
#else
    Q_UNUSED(at);
    Q_UNUSED(path);
    Q_UNUSED(resolve);
    Q_UNUSED(access);
#endif
    return std::nullopt;
}

} // namespace

Descriptor openFolderWithoutLinks(const char *path)
{
#ifdef RESOLVE_NO_SYMLINKS
    if (std::optional<Descriptor> opened = openWithRules(AT_FDCWD, path, RESOLVE_NO_SYMLINKS))
        return std::move(*opened);
#endif
    return Descriptor(::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

Descriptor openFolderBeneath(int at, const char *path)
{
#ifdef RESOLVE_NO_SYMLINKS
    if (std::optional<Descriptor> opened = openWithRules(at, path, RESOLVE_NO_SYMLINKS | RESOLVE_BENEATH,
                                                         O_PATH))
        return std::move(*opened);
#endif
    // One folder at a time, none of them a link.
    Descriptor folder;
    int parent = at;
    for (const char *part = path; *part;) {
        const char *end = std::strchr(part, '/');
        const std::string name(part, end ? size_t(end - part) : std::strlen(part));
        if (name.empty() || name == "." || name == "..") {
            errno = EXDEV;
            return {};
        }
        folder = Descriptor(::openat(parent, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!folder)
            return {};
        parent = folder.fd();
        part = end ? end + 1 : part + name.size();
    }
    return folder;
}
