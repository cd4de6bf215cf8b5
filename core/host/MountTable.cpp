// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/MountTable.h"

#include <mutex>

#include <fcntl.h>
#include <poll.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace MountTable {

namespace {

// A field of the table, where spaces, tabs, line breaks and backslashes are
// written as octal escapes.
QByteArray unescaped(const QByteArray &field)
{
    QByteArray plain;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            plain += char(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0'));
            i += 3;
        } else {
            plain += field[i];
        }
    }
    return plain;
}

// "ID PARENT MAJOR:MINOR ROOT POINT OPTIONS [OPTIONAL...] - TYPE SOURCE OPTIONS"
QList<Mount> parse(const QByteArray &table)
{
    QList<Mount> mounts;
    for (const QByteArray &line : table.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 5 || dash < 0 || dash + 2 >= fields.size())
            continue;
        const QList<QByteArray> numbers = fields[2].split(':');
        if (numbers.size() != 2)
            continue;
        mounts.append({fields[0].toULongLong(), quint64(makedev(numbers[0].toUInt(), numbers[1].toUInt())),
                       unescaped(fields[4]), unescaped(fields[dash + 1]), unescaped(fields[dash + 2])});
    }
    return mounts;
}

// The table as last read.
class Table {
public:
    QList<Mount> mounts()
    {
        std::lock_guard lock(m_mutex);
        refresh();
        return m_mounts;
    }

    quint64 generation()
    {
        std::lock_guard lock(m_mutex);
        refresh();
        return m_generation;
    }

private:
    // Reads the table when it is first asked for, and again after the
    // system signals a change on the open table (as it does for every
    // mount and unmount).
    void refresh()
    {
        if (m_fd >= 0) {
            pollfd changed{m_fd, POLLPRI, 0};
            if (::poll(&changed, 1, 0) <= 0)
                return;
        } else {
            m_fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
        }
        QByteArray table;
        char buffer[16384];
        ::lseek(m_fd, 0, SEEK_SET);
        for (ssize_t got; (got = ::read(m_fd, buffer, sizeof buffer)) > 0;)
            table.append(buffer, got);
        m_mounts = parse(table);
        ++m_generation;
    }

    std::mutex m_mutex;
    int m_fd = -1;
    QList<Mount> m_mounts;
    quint64 m_generation = 0;
};

Table &table()
{
    static Table table;
    return table;
}

QByteArray withSeparator(const QByteArray &folder)
{
    return folder.endsWith('/') ? folder : folder + '/';
}

} // namespace

QByteArray mountPointOf(const QByteArray &folder)
{
    QByteArray best = "/";
    for (const Mount &mount : table().mounts())
        if (mount.point.size() >= best.size()
            && (folder == mount.point || folder.startsWith(withSeparator(mount.point))))
            best = mount.point;
    return best;
}

std::optional<Mount> mountWithId(quint64 id)
{
    for (const Mount &mount : table().mounts())
        if (mount.id == id)
            return mount;
    return std::nullopt;
}

quint64 generation()
{
    return table().generation();
}

} // namespace MountTable
