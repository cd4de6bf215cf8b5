#include "core/host/Trash.h"

#include "core/base/Paths.h"
#include "core/host/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QList>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Trash {

QByteArray infoText(const QByteArray &originalPath, const QDateTime &deleted)
{
    return "[Trash Info]\nPath=" + originalPath.toPercentEncoding("/") + "\nDeletionDate="
        + deleted.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1() + '\n';
}

#ifdef Q_OS_UNIX
namespace {

QByteArray bytes(const QString &path)
{
    return QFile::encodeName(path);
}

QString reasonOf(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A trash folder, and the folder that the paths in its notes are relative
// to; none for the home trash, whose notes hold absolute paths.
struct Candidate {
    QString folder;
    QString top;
};

QString homeTrash()
{
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    const QString base = data.startsWith('/') ? QFile::decodeName(data)
                                              : QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base) + QStringLiteral("/Trash");
}

// The device that path lies on, or would lie on once made: that of its
// nearest existing folder.
bool deviceOfNearest(QString path, dev_t &device)
{
    struct stat info {};
    while (::stat(bytes(path).constData(), &info) != 0) {
        const QString parent = Paths::folderPart(path);
        if (errno != ENOENT || parent.isEmpty() || parent == path)
            return false;
        path = parent;
    }
    device = info.st_dev;
    return true;
}

// The top folder of the volume that holds path: the highest folder above it
// on the same device.
QString topOf(const QString &path, dev_t device)
{
    QString top = Paths::folderPart(path);
    for (QString parent = Paths::folderPart(top); !parent.isEmpty() && parent != top;
         parent = Paths::folderPart(top)) {
        struct stat info {};
        if (::stat(bytes(parent).constData(), &info) != 0 || info.st_dev != device)
            break;
        top = parent;
    }
    return top;
}

// Where a file on device goes: the home trash when it is on that device;
// else the volume's own trashes, in the order the freedesktop rules give.
QList<Candidate> candidates(const QString &path, dev_t device)
{
    const QString home = homeTrash();
    dev_t homeDevice = 0;
    if (deviceOfNearest(home, homeDevice) && homeDevice == device)
        return {{home, {}}};
    const QString top = topOf(path, device);
    const QString uid = QString::number(::getuid());
    QList<Candidate> trashes;
    // A shared .Trash is used only as its administrator made it: a real
    // folder with the sticky bit, so that users cannot take each other's.
    const QString shared = Paths::join(top, QStringLiteral(".Trash"));
    struct stat info {};
    if (::lstat(bytes(shared).constData(), &info) == 0 && S_ISDIR(info.st_mode)
        && (info.st_mode & S_ISVTX))
        trashes.append({Paths::join(shared, uid), top});
    trashes.append({Paths::join(top, QStringLiteral(".Trash-") + uid), top});
    return trashes;
}

// Makes folder, and its missing parents, with mode 0700.
bool makeFolder(const QString &folder, int &error)
{
    if (::mkdir(bytes(folder).constData(), 0700) == 0 || errno == EEXIST)
        return true;
    error = errno;
    const QString parent = Paths::folderPart(folder);
    if (error != ENOENT || parent.isEmpty() || parent == folder || !makeFolder(parent, error))
        return false;
    if (::mkdir(bytes(folder).constData(), 0700) == 0 || errno == EEXIST)
        return true;
    error = errno;
    return false;
}

// Makes the trash's folders where missing and checks that they are
// folders on device; a volume's trash must be the user's own real folder, so
// that nobody can redirect deleted files through a link.
Outcome prepare(const Candidate &trash, dev_t device)
{
    const QString words = QStringLiteral("the trash %1 cannot be made (%2)");
    const QString files = Paths::join(trash.folder, QStringLiteral("files"));
    const QString info = Paths::join(trash.folder, QStringLiteral("info"));
    for (const QString &folder : {trash.folder, files, info}) {
        int error = 0;
        if (!makeFolder(folder, error))
            return Outcome::failure(words.arg(trash.folder, reasonOf(error)));
        struct stat status {};
        if (::stat(bytes(folder).constData(), &status) != 0 || !S_ISDIR(status.st_mode)
            || status.st_dev != device)
            return Outcome::failure(words.arg(trash.folder, QStringLiteral("it is not a folder on the file's drive")));
    }
    struct stat own {};
    if (!trash.top.isEmpty()
        && (::lstat(bytes(trash.folder).constData(), &own) != 0 || !S_ISDIR(own.st_mode)
            || own.st_uid != ::getuid()))
        return Outcome::failure(words.arg(trash.folder, QStringLiteral("it is not a folder of your own")));
    return Outcome::success();
}

// Holds the first free name of NAME, NAME.2, NAME.3, ... in the trash by
// creating its note exclusively, so that another program trashing a file of
// the same name at the same moment takes another.
Outcome reserveName(const Candidate &trash, const QString &path, const QDateTime &deleted,
                    QString &place)
{
    const QString words = QStringLiteral("the trash %1 cannot be written (%2)");
    const QString name = Paths::lastComponent(path);
    const QString original = trash.top.isEmpty()
        ? path
        : path.mid(trash.top.size() + (trash.top.endsWith(Paths::separator()) ? 0 : 1));
    const QByteArray note = infoText(bytes(original), deleted);
    for (int n = 1;; ++n) {
        const QString free = n == 1 ? name : name + u'.' + QString::number(n);
        const QString info = Paths::join(trash.folder, QStringLiteral("info/") + free + QStringLiteral(".trashinfo"));
        const QString target = Paths::join(trash.folder, QStringLiteral("files/") + free);
        const int fd = ::open(bytes(info).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return Outcome::failure(words.arg(trash.folder, reasonOf(errno)));
        struct stat taken {};
        if (::lstat(bytes(target).constData(), &taken) == 0) {
            ::close(fd);
            ::unlink(bytes(info).constData());
            continue;
        }
        // On the disk before the file moves: a trash that a power cut left
        // with an empty note would not know where its file came from.
        FileWriter writer;
        bool written = writer.writeAll(fd, note, info) && writer.syncData(fd, info);
        const int error = errno;
        written = ::close(fd) == 0 && written;
        if (!written) {
            ::unlink(bytes(info).constData());
            return Outcome::failure(words.arg(trash.folder, reasonOf(error)));
        }
        place = target;
        return Outcome::success();
    }
}

} // namespace

Outcome reserve(const QString &path, const QDateTime &deleted, QString &place)
{
    struct stat file {};
    if (::lstat(bytes(path).constData(), &file) != 0)
        return Outcome::failure(reasonOf(errno));
    QString whyNot;
    for (const Candidate &trash : candidates(path, file.st_dev)) {
        Outcome reserved = prepare(trash, file.st_dev);
        if (reserved)
            reserved = reserveName(trash, path, deleted, place);
        if (reserved)
            return reserved;
        whyNot = reserved.reason;
    }
    return Outcome::failure(whyNot);
}

bool release(const QString &place)
{
    const QString files = Paths::folderPart(place);
    struct stat status {};
    if (Paths::lastComponent(files) != u"files" || ::lstat(bytes(place).constData(), &status) == 0)
        return false;
    const QString info = Paths::join(Paths::folderPart(files), QStringLiteral("info/")
                                     + Paths::lastComponent(place) + QStringLiteral(".trashinfo"));
    return ::unlink(bytes(info).constData()) == 0;
}
#else
Outcome reserve(const QString &, const QDateTime &, QString &)
{
    return Outcome::failure(QStringLiteral("this system keeps no freedesktop trash"));
}

bool release(const QString &)
{
    return false;
}
#endif

} // namespace Trash
