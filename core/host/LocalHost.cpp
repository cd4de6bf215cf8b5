#include "core/host/LocalHost.h"

#include "core/host/FolderListing.h"
#include "core/host/Trash.h"
#include "core/base/Paths.h"
#include "core/base/TemporaryName.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStringEncoder>
#include <QSet>
#include <QThread>
#include <QTime>
#include <QVarLengthArray>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_LINUX
// A path's bytes, ended by a zero. ASCII paths, which are most, are copied
// without the locale's encoder and, as most are short, without the heap.
class NativePath {
public:
    explicit NativePath(const QString &path)
    {
        for (const QChar c : path) {
            if (c.unicode() >= 0x80) {
                const QByteArray bytes = QFile::encodeName(path);
                m_bytes.append(bytes.constData(), bytes.size() + 1);
                return;
            }
        }
        m_bytes.resize(path.size() + 1);
        for (qsizetype i = 0; i < path.size(); ++i)
            m_bytes[i] = char(path[i].unicode());
        m_bytes[path.size()] = '\0';
    }
    const char *constData() const { return m_bytes.constData(); }

private:
    QVarLengthArray<char, 512> m_bytes;
};

// Whether path names an entry, asked of the volume itself: a network or FUSE
// volume may keep answering from the kernel's cache for a name that another
// letter case of an entry made it look up a moment ago.
bool existsOnVolume(const NativePath &path)
{
    struct statx info {};
    return ::statx(AT_FDCWD, path.constData(), AT_SYMLINK_NOFOLLOW | AT_STATX_FORCE_SYNC,
                   STATX_TYPE, &info) == 0;
}

// Whether the folder lists exactly this name, byte for byte.
bool listedExactly(const QString &folder, const QString &name)
{
    QList<FolderEntry> entries;
    readFolderEntries(folder, entries);
    return std::any_of(entries.cbegin(), entries.cend(),
                       [&](const FolderEntry &entry) { return entry.name == name; });
}

bool differOnlyInCase(const QString &a, const QString &b)
{
    return a != b && a.compare(b, Qt::CaseInsensitive) == 0;
}

bool renameNoReplace(const QString &oldPath, const QString &newPath);

// A case-only rename on a case-blind volume: through a free temporary name,
// then checked by reading the folder back, since the kernel and FUSE may
// report success for a rename that did nothing.
bool renameThroughTemporary(const QString &oldPath, const QString &newPath)
{
    const QString folder = Paths::folderPart(newPath);
    const QString name = freeTemporaryName([&](const QString &name) {
        return existsOnVolume(NativePath(Paths::join(folder, name)));
    });
    const QString temporary = Paths::join(folder, name);
    if (name.isEmpty() || !renameNoReplace(oldPath, temporary))
        return false;
    if (renameNoReplace(temporary, newPath) && listedExactly(folder, Paths::lastComponent(newPath)))
        return true;
    renameNoReplace(temporary, oldPath);
    return false;
}

// Renames without ever replacing what is at newPath.
bool renameNoReplace(const QString &oldPath, const QString &newPath)
{
    const NativePath from(oldPath), to(newPath);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    const int refusal = errno;
    const bool caseOnly = differOnlyInCase(Paths::lastComponent(oldPath),
                                           Paths::lastComponent(newPath))
        && Paths::folderPart(oldPath) == Paths::folderPart(newPath);
    // The new name is taken: by the entry itself when the volume is case-blind.
    const auto takenByItself = [&] {
        return caseOnly && !listedExactly(Paths::folderPart(newPath), Paths::lastComponent(newPath));
    };
    if (refusal == EEXIST)
        return takenByItself() && renameThroughTemporary(oldPath, newPath);
    if (refusal != EINVAL && refusal != ENOSYS && refusal != EOPNOTSUPP)
        return false;
    // The volume cannot rename without replacing: look first.
    if (!existsOnVolume(from))
        return false;
    if (existsOnVolume(to))
        return takenByItself() && renameThroughTemporary(oldPath, newPath);
    if (::rename(from.constData(), to.constData()) != 0)
        return false;
    return !caseOnly || listedExactly(Paths::folderPart(newPath), Paths::lastComponent(newPath));
}

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
        return existsOnVolume(NativePath(Paths::join(folder, turned)));
    }
    return false;
}
#else
bool renameNoReplace(const QString &oldPath, const QString &newPath)
{
    return QDir().rename(oldPath, newPath);
}
#endif

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

} // namespace

LocalHost::LocalHost()
{
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    const QString base = state.startsWith('/') ? QFile::decodeName(state)
                                               : QDir::homePath() + QStringLiteral("/.local/state");
    m_stateFolder = QDir::toNativeSeparators(base + QStringLiteral("/tamsells-file-utilities"));
}

LocalHost::~LocalHost() = default;

QString LocalHost::ListFolder(const QString &pattern, int mask)
{
    const EntryKinds kinds = (mask & Attribute::Folder) ? EntryKinds::FilesAndFolders
                                                        : EntryKinds::Files;
    const QString name = Paths::lastComponent(pattern);
    m_listing.clear();
    m_nextInListing = 0;
    if (Wildcard::hasWildcards(name))
        m_listing = listEntries(Paths::folderPart(pattern), Wildcard(name), kinds);
    else if (!name.isEmpty() && entryExists(pattern, kinds))
        m_listing << name;
    return ListFolder();
}

QString LocalHost::ListFolder()
{
    return m_nextInListing < m_listing.size() ? m_listing.at(m_nextInListing++) : QString();
}

QStringList LocalHost::ListNames(const QString &folder, const QString &pattern,
                                 EntryKinds kinds)
{
    return listEntries(folder, Wildcard(pattern), kinds);
}

QStringList LocalHost::ListDrives()
{
    QStringList drives{Paths::hostRoot()};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::toNativeSeparators(volume.rootPath());
        if (volume.isValid() && isUserVolume(root) && !drives.contains(root))
            drives << root;
    }
    return drives;
}

FolderContents LocalHost::ReadFolder(const QString &folder)
{
    FolderContents contents;
    contents.readable = readFolderEntries(folder, contents.entries);
#ifdef Q_OS_LINUX
    if (!contents.readable)
        return contents;
    contents.caseBlind = volumeIsCaseBlind(folder, contents.entries);
    const long longest = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    if (longest > 0)
        contents.longestName = int(longest);
#else
    contents.caseBlind = true;
#endif
    return contents;
}

std::optional<int> LocalHost::GetAttributes(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    int bits = 0;
    if (info.isDir())
        bits |= Attribute::Folder;
    if (!info.isWritable())
        bits |= Attribute::ReadOnly;
    if (isHiddenName(info.fileName()))
        bits |= Attribute::Hidden;
    return bits;
}

bool LocalHost::RenameFile(const QString &oldPath, const QString &newPath)
{
    if (oldPath.isEmpty() || newPath.isEmpty())
        return false;
    return renameNoReplace(oldPath, newPath);
}

bool LocalHost::MakeFolder(const QString &path)
{
    return !path.isEmpty() && QDir().mkdir(path);
}

bool LocalHost::MoveFile(const QString &source, const QString &destination)
{
    if (!QFileInfo(source).isFile() || destination.isEmpty())
        return false;
    return renameNoReplace(source, destination);
}

Outcome LocalHost::ReserveTrash(const QString &path, QString &place)
{
    return Trash::reserve(path, QDateTime::currentDateTime(), place);
}

bool LocalHost::ReleaseTrash(const QString &place)
{
    return Trash::release(place);
}

bool LocalHost::RemoveFolder(const QString &path)
{
    return !path.isEmpty() && QDir().rmdir(path);
}

QString LocalHost::StateFolder()
{
    return QDir().mkpath(m_stateFolder) ? m_stateFolder : QString();
}

bool LocalHost::ClaimStateFolder()
{
    if (m_stateLock)
        return m_stateLock->isLocked();
    const QString folder = StateFolder();
    if (folder.isEmpty())
        return false;
    // A run that was killed leaves its lock behind; QLockFile sees that its
    // process is gone and takes the lock over.
    m_stateLock = std::make_unique<QLockFile>(Paths::join(folder, QStringLiteral("running.lock")));
    m_stateLock->setStaleLockTime(0);
    return m_stateLock->tryLock(0);
}

std::optional<QByteArray> LocalHost::ReadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

Outcome LocalHost::WriteFileSafely(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Outcome::failure(file.errorString());
    file.write(content);
    // Committing has the file on the disk (fdatasync) before its new name
    // replaces the old file.
    if (!file.commit())
        return Outcome::failure(file.errorString());
#ifdef Q_OS_LINUX
    // And the new name in its folder.
    const int folder = ::open(QFile::encodeName(Paths::folderPart(path)).constData(), O_RDONLY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
#endif
    return Outcome::success();
}

Outcome LocalHost::AppendToFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::Append))
        return Outcome::failure(file.errorString());
    if (file.write(content) != content.size() || !file.flush())
        return Outcome::failure(file.errorString());
    return Outcome::success();
}

bool LocalHost::RemoveFile(const QString &path)
{
    return QFileInfo(path).isFile() && QFile::remove(path);
}

QString LocalHost::ParentFolder(const QString &path)
{
    return Paths::folderPart(path);
}

Outcome LocalHost::WriteTextFile(const QString &path, const QStringList &lines,
                                   const QString &lineEnd, bool executable)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Outcome::failure(file.errorString());
    QStringEncoder encode(QStringConverter::System);
    for (const QString &line : lines)
        file.write(encode(line + lineEnd));
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup
                            | QFileDevice::ExeOther);
    if (!file.commit())
        return Outcome::failure(file.errorString());
    return Outcome::success();
}

Outcome LocalHost::StartProgram(const QString &program, const QStringList &arguments,
                                  int windowStyle)
{
    // Window styles are requests the desktop may not honour; the program
    // decides how its own window opens.
    Q_UNUSED(windowStyle);
    if (QStandardPaths::findExecutable(program).isEmpty() && !QFileInfo(program).isExecutable())
        return Outcome::failure(QStringLiteral("The program \"%1\" was not found.").arg(program));
    if (!QProcess::startDetached(program, arguments))
        return Outcome::failure(QStringLiteral("The program \"%1\" could not be started.").arg(program));
    return Outcome::success();
}

QString LocalHost::CurrentTimeText()
{
    return QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
}

void LocalHost::YieldToEvents()
{
    QCoreApplication::processEvents();
    // A short rest, so that a wait on the clock does not spin a core.
    QThread::msleep(10);
}

void LocalHost::SeedRandom(quint32 seed)
{
    m_random.seed(seed);
}

double LocalHost::NextRandom()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_random);
}
