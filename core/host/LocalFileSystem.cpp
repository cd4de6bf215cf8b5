#include "core/host/LocalFileSystem.h"

#include "core/base/Paths.h"
#include "core/host/FolderListing.h"
#include "core/host/NativePath.h"
#include "core/host/Trash.h"
#include "core/host/VolumeIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStorageInfo>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace {

// Whether a mounted volume is one of the user's own, as the desktop mounts
// removable media and shares, rather than a part of the system.
bool isUserVolume(const QString &root)
{
#ifdef Q_OS_WIN
    Q_UNUSED(root);
    return true;
#else
    return root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/"))
        || root.startsWith(QLatin1String("/mnt/"));
#endif
}

#ifdef Q_OS_LINUX
// Whether the volume holding folder takes a name in another letter case for
// the same entry. An ASCII name of the folder is looked up with its letters'
// case turned round; a volume that holds both spellings as two entries tells
// letter case apart.
bool volumeIsCaseBlind(const QString &folder, const QList<FolderEntry> &entries)
{
    QSet<QString> names;
    for (const FolderEntry &entry : entries)
        names.insert(entry.name);
    for (const FolderEntry &entry : entries) {
        if (!entry.namable)
            continue;
        QString turned = entry.name;
        for (QChar &c : turned) {
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - 'a' + 'A');
            else if (c >= u'A' && c <= u'Z')
                c = QChar(c.unicode() - 'A' + 'a');
        }
        if (turned == entry.name)
            continue;
        if (names.contains(turned))
            return false;
        struct statx info {};
        // Asked of the volume itself: a FUSE volume may answer from the
        // kernel's cache for a name another spelling looked up a moment ago.
        return ::statx(AT_FDCWD, NativePath(Paths::join(folder, turned)).constData(),
                       AT_SYMLINK_NOFOLLOW | AT_STATX_FORCE_SYNC, STATX_TYPE, &info)
            == 0;
    }
    return false;
}

// Whether the volume of a file system keeps a file's inode number across
// renames and mounts. FAT, exFAT and NTFS drives, shares and FUSE volumes
// make numbers up as they go.
bool keepsInodes(long type)
{
    switch (type) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x9123683E: // btrfs
    case 0x58465342: // xfs
    case 0x01021994: // tmpfs
    case 0x858458F6: // ramfs
    case 0xF2F52010: // f2fs
    case 0x2FC12FC1: // zfs
    case 0x6969:     // nfs
    case 0x52654973: // reiserfs
    case 0x3153464A: // jfs
    case 0xCA451A4E: // bcachefs
        return true;
    default:
        return false;
    }
}

quint64 deviceOf(const struct statx &info)
{
    return makedev(info.stx_dev_major, info.stx_dev_minor);
}

qint64 nanoseconds(const struct statx_timestamp &time)
{
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

// Where a volume keeps no inode that lasts, or names no identity of its own,
// each file of a listing is told apart by its size and modification time as
// well, taken as it is listed: a network volume answers that from what its
// listing brought, and no change has to ask again for each file it renames.
void identifyByTime(int folder, QList<FolderEntry> &entries, bool stableInodes)
{
    for (FolderEntry &entry : entries) {
        if (!stableInodes)
            entry.inode = 0;
        struct statx info {};
        if (entry.kind == FolderEntry::File && entry.namable
            && ::statx(folder, NativePath(entry.name).constData(), AT_SYMLINK_NOFOLLOW,
                       STATX_SIZE | STATX_MTIME, &info)
                == 0) {
            entry.size = qint64(info.stx_size);
            entry.modified = nanoseconds(info.stx_mtime);
        }
    }
}
#endif

} // namespace

LocalFileSystem::LocalFileSystem(const QString &stateFolder) : m_state(stateFolder)
{
}

LocalFileSystem::~LocalFileSystem()
{
#ifdef Q_OS_LINUX
    for (const Pin &pin : std::as_const(m_pins))
        ::close(pin.fd);
    for (const int fd : std::as_const(m_locks))
        ::close(fd);
#endif
}

QList<FolderEntry> LocalFileSystem::listFolder(const QString &folder)
{
    QList<FolderEntry> entries;
    readFolderEntries(openForListing(folder), entries);
    return entries;
}

QStringList LocalFileSystem::listDrives()
{
    QStringList drives{Paths::hostRoot()};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::toNativeSeparators(volume.rootPath());
        if (volume.isValid() && isUserVolume(root) && !drives.contains(root))
            drives << root;
    }
    return drives;
}

FolderContents LocalFileSystem::readFolder(const QString &folder)
{
    FolderContents contents;
#ifdef Q_OS_LINUX
    const Descriptor opened(openForListing(folder));
    contents.readable = opened && readFolderEntries(::fcntl(opened.fd(), F_DUPFD_CLOEXEC, 0), contents.entries);
    if (!contents.readable)
        return contents;
    contents.caseBlind = volumeIsCaseBlind(folder, contents.entries);
    const long longest = ::fpathconf(opened.fd(), _PC_NAME_MAX);
    if (longest > 0)
        contents.longestName = int(longest);
    contents.volume = VolumeIdentity::of(opened.fd());
    // Case-blind volumes (FAT, exFAT, NTFS drives and Windows shares) make
    // their inode numbers up; elsewhere a listing that gives one gives the
    // file's own, FUSE volumes included, where they give any.
    contents.stableInodes = !contents.caseBlind
        && std::all_of(contents.entries.cbegin(), contents.entries.cend(),
                       [](const FolderEntry &entry) { return entry.inode != 0; });
    if (!contents.stableInodes || contents.volume.isEmpty())
        identifyByTime(opened.fd(), contents.entries, contents.stableInodes);
#else
    contents.readable = readFolderEntries(folder, contents.entries);
    contents.caseBlind = true;
#endif
    return contents;
}

std::optional<FolderEntry::Kind> LocalFileSystem::entryKind(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    return info.isDir() ? FolderEntry::Folder : info.isFile() ? FolderEntry::File : FolderEntry::Other;
}

#ifdef Q_OS_LINUX

LocalFileSystem::At LocalFileSystem::resolve(const QString &path) const
{
    const qsizetype cut = path.lastIndexOf(Paths::separator());
    // A record is reached through the state folder that was checked.
    if (cut > 0 && QStringView(path).left(cut) == m_state.path()) {
        std::shared_ptr<const Descriptor> state = m_state.descriptor();
        if (!state)
            return {{}, {}, AT_FDCWD, NativePath(path), {}, EACCES};
        const int fd = state->fd();
        return {{}, std::move(state), fd, NativePath(QStringView(path).mid(cut + 1)), {}};
    }
    std::lock_guard lock(m_mutex);
    if (m_pins.isEmpty())
        return {{}, {}, AT_FDCWD, NativePath(path), {}};
    if (cut > 0 && !m_lastPinned.isEmpty() && QStringView(path).left(cut) == m_lastPinned)
        return {{}, {}, m_lastPin.fd, NativePath(QStringView(path).mid(cut + 1)), m_lastPin.volume};
    QString below;
    for (QString folder = Paths::folderPart(path); !folder.isEmpty();) {
        const auto pin = m_pins.constFind(folder);
        if (pin != m_pins.cend()) {
            const NativePath name(Paths::lastComponent(path));
            if (below.isEmpty()) {
                m_lastPinned = folder;
                m_lastPin = *pin;
                return {{}, {}, pin->fd, name, pin->volume};
            }
            // A folder below the pinned one is reached through it and
            // never through a link that has taken a folder's place.
            Descriptor opened = openFolderBeneath(pin->fd, NativePath(below).constData());
            const int fd = opened.fd();
            return {std::move(opened), {}, fd, name, pin->volume, fd < 0 ? (errno != 0 ? errno : ENOENT) : 0};
        }
        const QString up = Paths::folderPart(folder);
        if (up == folder)
            break;
        below = below.isEmpty() ? Paths::lastComponent(folder) : Paths::lastComponent(folder) + u'/' + below;
        folder = up;
    }
    return {{}, {}, AT_FDCWD, NativePath(path), {}};
}

int LocalFileSystem::openForListing(const QString &folder) const
{
    if (folder == m_state.path()) {
        const std::shared_ptr<const Descriptor> state = m_state.descriptor();
        return state ? ::fcntl(state->fd(), F_DUPFD_CLOEXEC, 0) : -1;
    }
    const QByteArray encoded = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    return ::open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

std::optional<bool> LocalFileSystem::exists(const At &at) const
{
    if (at.error != 0) {
        errno = at.error;
        return std::nullopt;
    }
    struct statx info {};
    // Asked of the volume itself: a network or FUSE volume may keep answering
    // from the kernel's cache for a name that another letter case of an
    // entry made it look up a moment ago.
    if (::statx(at.folder, at.path.constData(), AT_SYMLINK_NOFOLLOW | AT_STATX_FORCE_SYNC,
                STATX_TYPE, &info)
        == 0)
        return true;
    if (errno == ENOENT || errno == ENOTDIR)
        return false;
    return std::nullopt;
}

FileIdentity LocalFileSystem::identify(const QString &path)
{
    const At at = resolve(path);
    struct statx info {};
    if (at.error != 0
        || ::statx(at.folder, at.path.constData(), AT_SYMLINK_NOFOLLOW,
                STATX_INO | STATX_SIZE | STATX_MTIME, &info)
        != 0)
        return {};
    const Descriptor opened(at.folder == AT_FDCWD ? openForListing(Paths::folderPart(path)) : -1);
    const int folder = at.folder == AT_FDCWD ? opened.fd() : at.folder;
    FileIdentity identity;
    struct statfs volume {};
    if (folder >= 0) {
        identity.volume = VolumeIdentity::of(folder);
        if (::fstatfs(folder, &volume) == 0 && keepsInodes(long(volume.f_type)))
            identity.inode = info.stx_ino;
    }
    if (identity.inode == 0 || identity.volume.isEmpty()) {
        identity.size = qint64(info.stx_size);
        identity.modified = nanoseconds(info.stx_mtime);
    }
    return identity;
}

FolderIdentity LocalFileSystem::identifyFolder(const QString &folder)
{
    const Descriptor opened(::open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct statx info {};
    // Asked of the volume itself: the kernel's cached answer would outlive a
    // drive that was pulled.
    if (!opened
        || ::statx(opened.fd(), "", AT_EMPTY_PATH | AT_STATX_FORCE_SYNC, STATX_TYPE | STATX_INO, &info) != 0)
        return {};
    FolderIdentity identity;
    struct statfs volume {};
    if (::fstatfs(opened.fd(), &volume) == 0 && keepsInodes(long(volume.f_type)))
        identity.inode = info.stx_ino;
    identity.volume = VolumeIdentity::of(opened.fd());
    return identity;
}

bool LocalFileSystem::isSecondName(const QString &path, const QString &first)
{
    const At at = resolve(path), of = resolve(first);
    struct statx one {}, other {};
    const unsigned mask = STATX_TYPE | STATX_INO | STATX_NLINK;
    return at.error == 0 && of.error == 0
        && ::statx(at.folder, at.path.constData(), AT_SYMLINK_NOFOLLOW, mask, &one) == 0
        && ::statx(of.folder, of.path.constData(), AT_SYMLINK_NOFOLLOW, mask, &other) == 0
        && S_ISREG(one.stx_mode) && one.stx_nlink == 2 && other.stx_nlink == 2
        && deviceOf(one) == deviceOf(other) && one.stx_ino == other.stx_ino;
}

bool LocalFileSystem::isOthersFolder(const QString &folder)
{
    struct stat info {};
    return ::stat(NativePath(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode)
        && info.st_uid != ::getuid() && info.st_uid != 0;
}

Outcome LocalFileSystem::pinFolder(const QString &folder)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_pins.contains(folder))
            return Outcome::success();
    }
    // The folder itself is never a link that took its place; only where the
    // user's own path ends in a link (a folder reached through one) is it
    // followed, as the user's choice.
    const NativePath native(folder);
    int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == ELOOP)
        fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Outcome::systemError(errno);
    const QString volume = VolumeAbilities::keyOf(fd);
    // Another drive may have come in the slot of the last one.
    m_abilities.forgetAfterVolumeEvents();
    std::lock_guard lock(m_mutex);
    m_pins.insert(folder, {fd, volume});
    return Outcome::success();
}

void LocalFileSystem::unpinFolder(const QString &folder)
{
    std::lock_guard lock(m_mutex);
    const auto pin = m_pins.constFind(folder);
    if (pin == m_pins.cend())
        return;
    ::close(pin->fd);
    m_pins.erase(pin);
    m_lastPinned.clear();
}

QString LocalFileSystem::pinnedFolderNow(const QString &folder)
{
    std::unique_lock lock(m_mutex);
    const auto found = m_pins.constFind(folder);
    if (found == m_pins.cend())
        return folder;
    const int fd = found->fd; // closed only by the change that pinned it
    lock.unlock();
    // Asked of the volume itself: the kernel's cached answer would outlive a
    // drive that was pulled.
    struct statx pinned {};
    if (::statx(fd, "", AT_EMPTY_PATH | AT_STATX_FORCE_SYNC, STATX_INO | STATX_NLINK, &pinned)
            != 0
        || pinned.stx_nlink == 0)
        return {};
    // Still where it was, and not replaced by another folder or a link.
    struct statx there {};
    if (::statx(AT_FDCWD, NativePath(folder).constData(), 0, STATX_INO, &there) == 0
        && deviceOf(there) == deviceOf(pinned) && there.stx_ino == pinned.stx_ino)
        return folder;
    char target[4096];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t length = ::readlink(link.constData(), target, sizeof target);
    if (length <= 0 || size_t(length) >= sizeof target)
        return {};
    return QFile::decodeName(QByteArray(target, length));
}

Outcome LocalFileSystem::makeFolder(const QString &path)
{
    if (path.isEmpty())
        return Outcome::systemError(ENOENT);
    const At at = resolve(path);
    if (at.error != 0)
        return Outcome::systemError(at.error);
    if (::mkdirat(at.folder, at.path.constData(), 0777) != 0)
        return Outcome::systemError(errno);
    return Outcome::success();
}

Outcome LocalFileSystem::moveFile(const QString &source, const QString &destination)
{
    if (destination.isEmpty())
        return Outcome::systemError(ENOENT);
    // A place in the trash is held only until this one move into it.
    std::unique_lock lock(m_mutex);
    const auto reserved = m_trashPlaces.extract(destination);
    lock.unlock();
    const At at = resolve(source);
    if (at.error != 0)
        return Outcome::systemError(at.error);
    struct statx info {};
    if (::statx(at.folder, at.path.constData(), AT_SYMLINK_NOFOLLOW, STATX_TYPE, &info) != 0)
        return Outcome::systemError(errno);
    if (!S_ISREG(info.stx_mode))
        return Outcome::failure(Outcome::Why::NotAFile);
    if (!reserved.empty())
        return Trash::moveInto(reserved.mapped(), at.folder, at.path.constData());
    return rename(source, destination);
}

bool LocalFileSystem::removeFolder(const QString &path)
{
    const At at = resolve(path);
    return !path.isEmpty() && at.error == 0 && ::unlinkat(at.folder, at.path.constData(), AT_REMOVEDIR) == 0;
}

void LocalFileSystem::watchVolumes(std::function<void()> changed)
{
    // The mount table tells its readers of every change as an exceptional
    // condition on the open file.
    const int fd = ::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    m_mounts = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Exception);
    QObject::connect(m_mounts.get(), &QSocketNotifier::activated, m_mounts.get(),
                     [changed = std::move(changed)] { changed(); });
}

#else

// Elsewhere the host has no pinned folders and works by path through Qt.

FolderIdentity LocalFileSystem::identifyFolder(const QString &)
{
    return {};
}

FileIdentity LocalFileSystem::identify(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {{}, 0, info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000};
}

bool LocalFileSystem::isSecondName(const QString &, const QString &)
{
    return false;
}

bool LocalFileSystem::isOthersFolder(const QString &)
{
    return false;
}

Outcome LocalFileSystem::pinFolder(const QString &)
{
    return Outcome::success();
}

void LocalFileSystem::unpinFolder(const QString &)
{
}

QString LocalFileSystem::pinnedFolderNow(const QString &folder)
{
    return QFileInfo(folder).isDir() ? folder : QString();
}

Outcome LocalFileSystem::rename(const QString &oldPath, const QString &newPath)
{
    QFile file(oldPath);
    return file.rename(newPath) ? Outcome::success() : Outcome::failure(Outcome::Why::Other, file.errorString());
}

Outcome LocalFileSystem::makeFolder(const QString &path)
{
    return QDir().mkdir(path) ? Outcome::success() : Outcome::failure(Outcome::Why::Other);
}

Outcome LocalFileSystem::moveFile(const QString &source, const QString &destination)
{
    if (!QFileInfo(source).isFile())
        return Outcome::failure(Outcome::Why::NotAFile);
    return rename(source, destination);
}

bool LocalFileSystem::removeFolder(const QString &path)
{
    return !path.isEmpty() && QDir().rmdir(path);
}

void LocalFileSystem::watchVolumes(std::function<void()>)
{
}

#endif
