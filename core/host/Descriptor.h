// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>

// An open file or folder of the system, closed when this goes.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd)
        : m_fd(fd)
    {}
    Descriptor(Descriptor &&other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    {}
    Descriptor &operator=(Descriptor &&other) noexcept;
    ~Descriptor();

    int fd() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Opens the folder at path (absolute) without following a link anywhere on
// the way where the kernel can (Linux 5.6 on), else at least not at its end.
Descriptor openFolderWithoutLinks(const char *path);

// Opens the folder at path below the folder at, following no link on the
// way and never leaving at; an invalid descriptor (errno says why) when a
// link or something other than a folder is met. The descriptor only names
// the folder, for the calls that act inside it (its volume is not asked to
// open it: a network share is spared two requests a file); it cannot be read
// or synced.
Descriptor openFolderBeneath(int at, const char *path);
