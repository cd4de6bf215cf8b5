#include "app/DesktopHost.h"

#include "app/FolderListing.h"
#include "app/Paths.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QThread>
#include <QTime>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace {

// Renames without ever replacing what is at newPath. A new path that is the
// same entry as the old one (a case-only rename on a case-blind volume) is
// allowed through.
bool renameNoReplace(const QString &oldPath, const QString &newPath)
{
#ifdef Q_OS_LINUX
    const QByteArray from = QFile::encodeName(oldPath);
    const QByteArray to = QFile::encodeName(newPath);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EEXIST && errno != EINVAL && errno != ENOSYS)
        return false;
    // The volume cannot rename without replacing, or says the name is taken:
    // go on only when newPath is free or is the old entry itself.
    struct stat source {}, target {};
    if (::lstat(from.constData(), &source) != 0)
        return false;
    if (::lstat(to.constData(), &target) == 0
        && (source.st_dev != target.st_dev || source.st_ino != target.st_ino))
        return false;
    return ::rename(from.constData(), to.constData()) == 0;
#else
    return QDir().rename(oldPath, newPath);
#endif
}

QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

} // namespace

void DesktopHost::ShowMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, Title, text,
                    QMessageBox::Ok, dialogParent());
    box.exec();
}

QString DesktopHost::AskText(const QString &prompt, const QString &title,
                             const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal,
                                               defaultText, &ok);
    return ok ? text : QString();
}

QString DesktopHost::ListFolder(const QString &pattern, int mask)
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

QString DesktopHost::ListFolder()
{
    return m_nextInListing < m_listing.size() ? m_listing.at(m_nextInListing++) : QString();
}

std::optional<int> DesktopHost::GetAttributes(const QString &path)
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

bool DesktopHost::RenameFile(const QString &oldPath, const QString &newPath)
{
    if (oldPath.isEmpty() || newPath.isEmpty())
        return false;
    return renameNoReplace(oldPath, newPath);
}

bool DesktopHost::MakeFolder(const QString &path)
{
    return !path.isEmpty() && QDir().mkdir(path);
}

bool DesktopHost::MoveFile(const QString &source, const QString &destination)
{
    if (!QFileInfo(source).isFile() || destination.isEmpty())
        return false;
    return renameNoReplace(source, destination);
}

bool DesktopHost::DeleteFile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    return QFile::moveToTrash(path) || QFile::remove(path);
}

QString DesktopHost::ParentFolder(const QString &path)
{
    const qsizetype at = path.lastIndexOf(Paths::separator());
    if (at < 0)
        return QString();
    const QString folder = path.left(at);
    // The root keeps its separator: "/" here, a drive's "C:\" on Windows.
    if (folder.isEmpty() || folder.endsWith(u':'))
        return folder + Paths::separator();
    return folder;
}

Outcome DesktopHost::WriteTextFile(const QString &path, const QStringList &lines,
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

Outcome DesktopHost::StartProgram(const QString &program, const QStringList &arguments,
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

QString DesktopHost::CurrentTimeText()
{
    return QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
}

void DesktopHost::YieldToEvents()
{
    QCoreApplication::processEvents();
    // A short rest, so that a wait on the clock does not spin a core.
    QThread::msleep(10);
}

void DesktopHost::SeedRandom(quint32 seed)
{
    m_random.seed(seed);
}

double DesktopHost::NextRandom()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_random);
}
