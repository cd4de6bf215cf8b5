// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/Trash.h"

#include "core/base/Paths.h"
#include "core/host/DurableFile.h"
#include "core/host/MountTable.h"

#include <QDir>
#include <QFile>
#include <QList>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace Trash {

QByteArray infoText(const QByteArray &originalPath, const QDateTime &deleted)
{
    return "[Trash Info]\nPath=" + originalPath.toPercentEncoding("/")
           + "\nDeletionDate=" + deleted.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1() + '\n';
}

namespace {

QString text(const QByteArray &path)
{
    return QFile::decodeName(path);
}

QByteArray joined(const QByteArray &folder, const QByteArray &name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// The folder above path, which is absolute.
QByteArray parentOf(const QByteArray &path)
{
    const qsizetype cut = path.lastIndexOf('/');
    return cut > 0 ? path.left(cut) : QByteArray("/");
}

// One folder on the way down to a trash folder.
struct Step {
    enum Kind {
        Own,    // the user's own, made when missing
        Shared, // a volume's .Trash, used only as its administrator made it: a
                // folder with the sticky bit, so that users cannot take each other's
    };
    QByteArray name;
    Kind kind;
};

// Where a trash may be: a base folder and the steps down from it, the last
// step being the trash folder.
struct Candidate {
    QByteArray base; // the volume's top folder; or the user's data folder for the home trash
    bool home;
    QList<Step> steps;

    QByteArray folder() const
    {
        QByteArray path = base;
        for (const Step &step : steps)
            path = joined(path, step.name);
        return path;
    }
};

QByteArray dataHome()
{
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    const QString base = data.startsWith('/') ? QFile::decodeName(data)
                                              : QDir::homePath() + QStringLiteral("/.local/share");
    return QFile::encodeName(QDir::cleanPath(base));
}

// The device that path lies on, or would lie on once made: that of its
// nearest existing folder.
bool deviceOfNearest(QByteArray path, dev_t &device)
{
    struct stat info {};
    while (::stat(path.constData(), &info) != 0) {
        if (errno != ENOENT || path == "/")
            return false;
        path = parentOf(path);
    }
    device = info.st_dev;
    return true;
}

// The top folder of the volume that holds folder (a real path) on device:
// the mount point that holds it, or below that the highest folder still on
// device, since a btrfs subvolume is a volume of its own to a rename.
QByteArray topOf(const QByteArray &folder, dev_t device)
{
    const QByteArray mount = MountTable::mountPointOf(folder);
    QByteArray top = folder;
    while (top.size() > mount.size()) {
        const QByteArray parent = parentOf(top);
        struct stat info {};
        if (::lstat(parent.constData(), &info) != 0 || info.st_dev != device)
            break;
        top = parent;
    }
    return top;
}

// Where a file of the real folder on device goes: the home trash when it is
// on that device; else the volume's own trashes, in the order the
// freedesktop rules give.
QList<Candidate> candidates(const QByteArray &folder, dev_t device)
{
    const QByteArray data = dataHome();
    dev_t homeDevice = 0;
    if (deviceOfNearest(joined(data, "Trash"), homeDevice) && homeDevice == device)
        return {{data, true, {{"Trash", Step::Own}}}};
    const QByteArray top = topOf(folder, device);
    const QByteArray uid = QByteArray::number(::getuid());
    return {{top, false, {{".Trash", Step::Shared}, {uid, Step::Own}}},
            {top, false, {{".Trash-" + uid, Step::Own}}}};
}

// The user's data folder, made (mode 0700) with its missing parents. It is
// in the user's own home, where any link on the way is their own.
Descriptor openDataHome(const QByteArray &path)
{
    Descriptor folder(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder && errno == ENOENT && path != "/" && openDataHome(parentOf(path))
        && (::mkdir(path.constData(), 0700) == 0 || errno == EEXIST))
        folder = Descriptor(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return folder;
}

// Opens the folder step names inside parent, never through a link, and
// checks it as a trash folder: on device, and the user's own or, for a
// shared .Trash, with the sticky bit. With made, a missing folder of the
// user's own is made (mode 0700) first, and made tells whether it was.
// Failure says why.
Outcome openFolder(int parent, const Step &step, dev_t device, Descriptor &folder, bool *made = nullptr)
{
    const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    folder = Descriptor(::openat(parent, step.name.constData(), flags));
    if (!folder && errno == ENOENT && made && step.kind == Step::Own) {
        *made = ::mkdirat(parent, step.name.constData(), 0700) == 0;
        if (!*made && errno != EEXIST)
            return Outcome::systemError(errno);
        folder = Descriptor(::openat(parent, step.name.constData(), flags));
    }
    if (!folder)
        return errno == ELOOP || errno == ENOTDIR ? Outcome::failure(Outcome::Why::FolderIsLink)
                                                  : Outcome::systemError(errno);
    struct stat info {};
    if (::fstat(folder.fd(), &info) != 0)
        return Outcome::systemError(errno);
    if (info.st_dev != device)
        return Outcome::failure(Outcome::Why::TrashElsewhere);
    if (step.kind == Step::Shared && !(info.st_mode & S_ISVTX))
        return Outcome::failure(Outcome::Why::TrashNotSticky);
    if (step.kind == Step::Own && info.st_uid != ::getuid())
        return Outcome::failure(Outcome::Why::FolderNotOwn);
    return Outcome::success();
}

// A trash opened from its base down to its files and info folders, and the
// folders that opening it made.
struct OpenTrash {
    std::vector<Descriptor> chain; // the base, then each step's folder
    Descriptor files;
    Descriptor info;
    QList<std::pair<int, QByteArray>> made; // each made folder's parent and name

    // Takes away the folders made, newest first, while they are empty.
    void removeMade() const
    {
        for (auto folder = made.crbegin(); folder != made.crend(); ++folder)
            ::unlinkat(folder->first, folder->second.constData(), AT_REMOVEDIR);
    }
};

// Opens (and makes where missing) the trash's folders, each checked before
// anything is made inside it.
Outcome openTrash(const Candidate &trash, dev_t device, OpenTrash &open)
{
    const auto refused = [&](const Outcome &why) {
        return Outcome::folderFailure(Outcome::Why::TrashNotMade, text(trash.folder()), why);
    };
    Descriptor base = trash.home ? openDataHome(trash.base) : openFolderWithoutLinks(trash.base.constData());
    struct stat info {};
    if (!base || ::fstat(base.fd(), &info) != 0)
        return refused(Outcome::systemError(errno));
    if (!trash.home && info.st_dev != device)
        return refused(Outcome::failure(Outcome::Why::TrashTopChanged));
    open.chain.push_back(std::move(base));
    const auto enter = [&](const Step &step, Descriptor &folder) {
        const int parent = open.chain.back().fd();
        bool made = false;
        const Outcome opened = openFolder(parent, step, device, folder, &made);
        if (made)
            open.made.append({parent, step.name});
        return opened;
    };
    for (const Step &next : trash.steps) {
        Descriptor folder;
        if (const Outcome opened = enter(next, folder); !opened)
            return refused(opened);
        open.chain.push_back(std::move(folder));
    }
    for (const auto &[name, folder] : {std::pair("files", &open.files), std::pair("info", &open.info)})
        if (const Outcome opened = enter({name, Step::Own}, *folder); !opened)
            return refused(opened);
    return Outcome::success();
}

// Cuts text to at most size bytes, at the start of a UTF-8 character.
QByteArray cutOnCharacter(const QByteArray &text, qsizetype size)
{
    while (size > 0 && size < text.size() && (uchar(text[size]) & 0xC0) == 0x80)
        --size;
    return text.left(size);
}

// The name a file named name takes in a trash with counter (empty, or ".2",
// ".3", ...): short enough that its note's name NAME.trashinfo fits in the
// 255 bytes a volume takes, keeping the extension where it is short enough.
QByteArray trashName(const QByteArray &name, const QByteArray &counter)
{
    const qsizetype room = 255 - qsizetype(sizeof ".trashinfo" - 1) - counter.size();
    if (name.size() <= room)
        return name + counter;
    // A dot early in a long name starts no extension.
    const qsizetype dot = name.lastIndexOf('.');
    const QByteArray extension = dot > 0 && name.size() - dot <= room / 2 ? name.mid(dot) : QByteArray();
    return cutOnCharacter(name.left(name.size() - extension.size()), room - extension.size()) + extension
           + counter;
}

// Holds the first free name of NAME, NAME.2, NAME.3, ... in the trash by
// creating its note exclusively, so that another program trashing a file of
// the same name at the same moment takes another. The files folder goes
// with the place.
Outcome reserveName(const Candidate &trash, OpenTrash &open, const QByteArray &original,
                    const QDateTime &deleted, Place &place)
{
    const QByteArray folder = trash.folder();
    const QByteArray note = infoText(
        trash.home ? original : original.mid(joined(trash.base, QByteArray()).size()), deleted);
    const QByteArray name = original.mid(original.lastIndexOf('/') + 1);
    for (int n = 1;; ++n) {
        const QByteArray free = trashName(name, n == 1 ? QByteArray() : '.' + QByteArray::number(n));
        const QByteArray noteName = free + ".trashinfo";
        Descriptor written(::openat(open.info.fd(), noteName.constData(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!written && errno == EEXIST)
            continue;
        if (!written)
            return Outcome::folderFailure(Outcome::Why::TrashNotWritten, text(folder),
                                          Outcome::systemError(errno));
        struct stat taken {};
        if (::fstatat(open.files.fd(), free.constData(), &taken, AT_SYMLINK_NOFOLLOW) == 0) {
            ::unlinkat(open.info.fd(), noteName.constData(), 0);
            continue;
        }
        // On the disk before the file moves: a trash that a power cut left
        // with an empty note would not know where its file came from.
        const QString notePath = text(joined(folder, "info/" + noteName));
        FileWriter writer;
        if (!writer.writeAll(written.fd(), note, notePath) || !writer.syncData(written.fd(), notePath)) {
            const int error = errno;
            ::unlinkat(open.info.fd(), noteName.constData(), 0);
            return Outcome::folderFailure(Outcome::Why::TrashNotWritten, text(folder),
                                          Outcome::systemError(error));
        }
        place.path = text(joined(folder, "files/" + free));
        place.files = std::move(open.files);
        place.name = free;
        return Outcome::success();
    }
}

// The file's path with its folder's links resolved, as the trash's note
// keeps it and the mount table knows its folder.
Outcome realPathOf(const QString &path, QByteArray &real)
{
    char *folder = ::realpath(QFile::encodeName(Paths::folderPart(path)).constData(), nullptr);
    if (!folder)
        return Outcome::systemError(errno);
    real = joined(folder, QFile::encodeName(Paths::lastComponent(path)));
    std::free(folder);
    return Outcome::success();
}

} // namespace

Outcome reserve(const QString &path, const QDateTime &deleted, Place &place)
{
    struct stat file {};
    if (::lstat(QFile::encodeName(path).constData(), &file) != 0)
        return Outcome::systemError(errno);
    QByteArray original;
    if (Outcome resolved = realPathOf(path, original); !resolved)
        return resolved;
    Outcome reserved;
    for (const Candidate &trash : candidates(parentOf(original), file.st_dev)) {
        OpenTrash open;
        reserved = openTrash(trash, file.st_dev, open);
        if (reserved)
            reserved = reserveName(trash, open, original, deleted, place);
        if (reserved)
            return reserved;
        open.removeMade();
    }
    return reserved;
}

Outcome moveInto(const Place &place, int folder, const char *name)
{
    if (::renameat2(folder, name, place.files.fd(), place.name.constData(), RENAME_NOREPLACE) == 0)
        return Outcome::success();
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return Outcome::systemError(errno);
    // The volume cannot rename without replacing: the place, which its
    // note holds for the file, is looked at first.
    struct stat taken {};
    if (::fstatat(place.files.fd(), place.name.constData(), &taken, AT_SYMLINK_NOFOLLOW) == 0)
        return Outcome::systemError(EEXIST);
    if (::renameat(folder, name, place.files.fd(), place.name.constData()) != 0)
        return Outcome::systemError(errno);
    return Outcome::success();
}

bool release(const QString &place)
{
    const QByteArray path = QFile::encodeName(place);
    const QByteArray files = parentOf(path);
    const QByteArray name = path.mid(files.size() + 1);
    if (!files.endsWith("/files") || name.isEmpty() || name.contains('/'))
        return false;
    Descriptor trash(::open(parentOf(files).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat own {};
    if (!trash || ::fstat(trash.fd(), &own) != 0 || own.st_uid != ::getuid())
        return false;
    Descriptor filesFolder, infoFolder;
    struct stat there {};
    return openFolder(trash.fd(), {"files", Step::Own}, own.st_dev, filesFolder)
           && ::fstatat(filesFolder.fd(), name.constData(), &there, AT_SYMLINK_NOFOLLOW) != 0
           && errno == ENOENT && openFolder(trash.fd(), {"info", Step::Own}, own.st_dev, infoFolder)
           && ::unlinkat(infoFolder.fd(), (name + ".trashinfo").constData(), 0) == 0;
}

} // namespace Trash
