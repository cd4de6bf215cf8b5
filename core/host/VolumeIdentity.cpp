// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/VolumeIdentity.h"

#include "core/host/MountTable.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <algorithm>
#include <mutex>

#include <blkid/blkid.h>
#include <fcntl.h>
#include <linux/btrfs.h>
#include <linux/btrfs_tree.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace VolumeIdentity {

namespace {

// The kernel's answer to FS_IOC_GETFSUUID (Linux 6.5 on), which the headers
// of older systems do not name.
struct KernelUuid {
    quint8 length;
    quint8 bytes[16];
};
const unsigned long GetUuid = _IOR(0x15, 0, KernelUuid);
constexpr long Btrfs = 0x9123683E;

// A UUID as the device manager writes it: 8-4-4-4-12 lower-case digits; an
// empty text for one of zeros, which names no volume.
QString uuidText(const quint8 *bytes)
{
    if (std::all_of(bytes, bytes + 16, [](quint8 b) { return b == 0; }))
        return {};
    const QByteArray hex = QByteArray(reinterpret_cast<const char *>(bytes), 16).toHex();
    return QString::fromLatin1(hex.left(8) + '-' + hex.mid(8, 4) + '-' + hex.mid(12, 4) + '-' + hex.mid(16, 4)
                               + '-' + hex.mid(20));
}

// A share names the machine it is served from: "nas:/videos", "//nas/videos".
bool isShare(const QByteArray &source)
{
    const qsizetype colon = source.indexOf(':'), slash = source.indexOf('/');
    return source.startsWith("//") || (colon > 0 && (slash < 0 || colon < slash));
}

// btrfs: the file system's fsid, and the subvolume, since two subvolumes
// give their files the same inode numbers.
QString btrfsIdentity(int folder)
{
    btrfs_ioctl_fs_info_args info{};
    if (::ioctl(folder, BTRFS_IOC_FS_INFO, &info) != 0)
        return {};
    const QString uuid = uuidText(info.fsid);
    // Asked for the subvolume only, which needs no privilege.
    btrfs_ioctl_ino_lookup_args lookup{};
    lookup.objectid = BTRFS_FIRST_FREE_OBJECTID;
    if (uuid.isEmpty() || ::ioctl(folder, BTRFS_IOC_INO_LOOKUP, &lookup) != 0)
        return {};
    return QStringLiteral("UUID=%1 subvolume %2").arg(uuid).arg(lookup.treeid);
}

// The UUID that the device manager lists for the block device rdev, in
// /dev/disk/by-uuid or in its own database.
QString listedUuid(dev_t rdev)
{
    const QDir byUuid(QStringLiteral("/dev/disk/by-uuid"));
    for (const QString &name : byUuid.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        struct stat device {};
        if (::stat(QFile::encodeName(byUuid.filePath(name)).constData(), &device) == 0
            && S_ISBLK(device.st_mode) && device.st_rdev == rdev)
            return name;
    }
    QFile database(QStringLiteral("/run/udev/data/b%1:%2").arg(major(rdev)).arg(minor(rdev)));
    if (database.open(QIODevice::ReadOnly))
        for (const QByteArray &line : database.readAll().split('\n'))
            if (line.startsWith("E:ID_FS_UUID="))
                return QString::fromUtf8(line.mid(13));
    return {};
}

// The UUID or serial in the block device's own superblock, where the user
// may read the device (blkid's library reads it as blkid does).
QString probedUuid(const QByteArray &device)
{
    blkid_probe probe = blkid_new_probe_from_filename(device.constData());
    if (!probe)
        return {};
    QString uuid;
    const char *value = nullptr;
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_UUID);
    if (blkid_do_safeprobe(probe) == 0 && blkid_probe_lookup_value(probe, "UUID", &value, nullptr) == 0)
        uuid = QString::fromUtf8(value);
    blkid_free_probe(probe);
    return uuid;
}

QString identityOf(int folder, const MountTable::Mount &mount)
{
    if (isShare(mount.source))
        return QFile::decodeName(mount.type + ' ' + mount.source);
    struct statfs volume {};
    if (::fstatfs(folder, &volume) == 0 && long(volume.f_type) == Btrfs)
        return btrfsIdentity(folder);
    KernelUuid kernel{};
    if (::ioctl(folder, GetUuid, &kernel) == 0 && kernel.length == 16)
        if (const QString uuid = uuidText(kernel.bytes); !uuid.isEmpty())
            return QStringLiteral("UUID=") + uuid;
    struct stat device {};
    if (!mount.source.startsWith("/dev/") || ::stat(mount.source.constData(), &device) != 0
        || !S_ISBLK(device.st_mode))
        return {};
    QString uuid = listedUuid(device.st_rdev);
    if (uuid.isEmpty())
        uuid = probedUuid(mount.source);
    return uuid.isEmpty() ? QString() : QStringLiteral("UUID=") + uuid;
}

// What each mount (with the device of the folder asked about, as btrfs
// gives each subvolume its own) said of itself, while the table is unchanged.
class Known {
public:
    QString of(int folder)
    {
        struct statx info {};
        if (::statx(folder, "", AT_EMPTY_PATH, STATX_MNT_ID, &info) != 0 || !(info.stx_mask & STATX_MNT_ID))
            return {};
        const std::pair key(quint64(info.stx_mnt_id),
                            quint64(makedev(info.stx_dev_major, info.stx_dev_minor)));
        const quint64 generation = MountTable::generation();
        {
            std::lock_guard lock(m_mutex);
            if (generation != m_generation) {
                m_identities.clear();
                m_generation = generation;
            }
            if (const auto known = m_identities.constFind(key); known != m_identities.cend())
                return *known;
        }
        const std::optional<MountTable::Mount> mount = MountTable::mountWithId(key.first);
        const QString identity = mount ? identityOf(folder, *mount) : QString();
        std::lock_guard lock(m_mutex);
        if (generation == m_generation)
            m_identities.insert(key, identity);
        return identity;
    }

private:
    std::mutex m_mutex;
    quint64 m_generation = 0;
    QHash<std::pair<quint64, quint64>, QString> m_identities;
};

} // namespace

QString of(int folder)
{
    static Known known;
    return known.of(folder);
}

} // namespace VolumeIdentity
