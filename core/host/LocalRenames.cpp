// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/host/LocalFileSystem.h"

#include "core/base/Paths.h"
#include "core/base/TemporaryName.h"
#include "core/host/FolderListing.h"
#include "core/host/Trash.h"

// The local machine's renames and moves, which never replace: renameat2's
// no-replace rename, else a hard link and the old name's removal, else a
// look first; what each volume was found to do is kept in m_abilities. And
// the folders a change makes and removes.

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool differOnlyInCase(const QString &a, const QString &b)
{
    return a != b && a.compare(b, Qt::CaseInsensitive) == 0;
}

// Whether the folder lists exactly this name, byte for byte.
bool listedExactly(const QString &folder, const QString &name)
{
    QList<FolderEntry> entries;
    readFolderEntries(folder, entries);
    return std::any_of(entries.cbegin(), entries.cend(),
                       [&](const FolderEntry &entry) { return entry.name == name; });
}

} // namespace

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
    if (::statx(at.folder, at.path.constData(), AT_SYMLINK_NOFOLLOW | AT_STATX_FORCE_SYNC, STATX_TYPE, &info)
        == 0)
        return true;
    if (errno == ENOENT || errno == ENOTDIR)
        return false;
    return std::nullopt;
}

Outcome LocalFileSystem::renameThroughTemporary(const QString &oldPath, const QString &newPath)
{
    const QString folder = Paths::folderPart(newPath);
    const QString name = freeTemporaryName(
        [&](const QString &name) { return exists(resolve(Paths::join(folder, name))).value_or(true); });
    if (name.isEmpty())
        return Outcome::failure(Outcome::Why::NoTemporaryName);
    const QString temporary = Paths::join(folder, name);
    if (Outcome parked = rename(oldPath, temporary); !parked)
        return parked;
    Outcome placed = rename(temporary, newPath);
    if (placed && listedExactly(folder, Paths::lastComponent(newPath)))
        return placed;
    rename(temporary, oldPath);
    return placed ? Outcome::failure(Outcome::Why::CaseKept) : placed;
}

Outcome LocalFileSystem::renameWithoutFlag(const At &from, const At &to, bool isFile)
{
    if (isFile && !m_abilities.lacksHardLinks(to.volume)) {
        if (::linkat(from.folder, from.path.constData(), to.folder, to.path.constData(), 0) == 0) {
            if (::unlinkat(from.folder, from.path.constData(), 0) == 0)
                return Outcome::success();
            // The file keeps its old name only, as if nothing had happened.
            const int error = errno;
            ::unlinkat(to.folder, to.path.constData(), 0);
            return Outcome::systemError(error);
        }
        const int refusal = errno;
        if (refusal != EPERM && refusal != EOPNOTSUPP && refusal != ENOSYS && refusal != EMLINK)
            return Outcome::systemError(refusal);
        if (refusal != EMLINK)
            m_abilities.setLacksHardLinks(to.volume);
    }
    // Neither: look at the target first. Another program may take the name
    // in between; the manual page names the volumes where this is so.
    const std::optional<bool> taken = exists(to);
    if (!taken)
        return Outcome::systemError(errno);
    if (*taken)
        return Outcome::systemError(EEXIST);
    if (::renameat(from.folder, from.path.constData(), to.folder, to.path.constData()) != 0)
        return Outcome::systemError(errno);
    return Outcome::success();
}

Outcome LocalFileSystem::renameOntoTaken(const At &from, const QString &oldPath, const QString &newPath,
                                         bool caseOnly)
{
    // On a case-blind volume the new name of a case-only rename is taken by
    // the file itself.
    if (caseOnly && !listedExactly(Paths::folderPart(newPath), Paths::lastComponent(newPath)))
        return renameThroughTemporary(oldPath, newPath);
    // A move by hard link that was cut off before its unlink left the file
    // under both names: it is finished, and nothing is replaced.
    if (isSecondName(oldPath, newPath) && ::unlinkat(from.folder, from.path.constData(), 0) == 0)
        return Outcome::success();
    return Outcome::systemError(EEXIST);
}

Outcome LocalFileSystem::missingOrRefused(const At &from, const QString &newPath, int error) const
{
    if (error == ENOENT && exists(from).value_or(false)
        && ::access(NativePath(Paths::folderPart(newPath)).constData(), F_OK) == 0)
        return {Outcome::Why::NameRefused, Outcome::Why::None, error, 0, {}};
    return Outcome::systemError(error);
}

Outcome LocalFileSystem::rename(const QString &oldPath, const QString &newPath)
{
    if (oldPath.isEmpty() || newPath.isEmpty())
        return Outcome::systemError(ENOENT);
    const At from = resolve(oldPath), to = resolve(newPath);
    if (from.error != 0 || to.error != 0)
        return Outcome::systemError(from.error != 0 ? from.error : to.error);
    const bool caseOnly = differOnlyInCase(Paths::lastComponent(oldPath), Paths::lastComponent(newPath))
                          && Paths::folderPart(oldPath) == Paths::folderPart(newPath);
    using Ability = VolumeAbilities::Ability;
    const Ability noReplace = m_abilities.noReplace(to.volume);
    if (noReplace != Ability::Missing) {
        if (::renameat2(from.folder, from.path.constData(), to.folder, to.path.constData(), RENAME_NOREPLACE)
            == 0) {
            if (noReplace != Ability::Works)
                m_abilities.setNoReplace(to.volume, Ability::Works);
            return Outcome::success();
        }
        const int refusal = errno;
        if (refusal == EEXIST)
            return renameOntoTaken(from, oldPath, newPath, caseOnly);
        // A volume that takes the flag refuses only the name.
        if (refusal == EINVAL && noReplace == Ability::Works)
            return {Outcome::Why::NameRefused, Outcome::Why::None, EINVAL, 0, {}};
        if (refusal != EINVAL && refusal != ENOSYS && refusal != EOPNOTSUPP)
            return missingOrRefused(from, newPath, refusal);
        if (refusal != EINVAL)
            m_abilities.setNoReplace(to.volume, Ability::Missing);
    }
    struct statx type {};
    const bool isFile = ::statx(from.folder, from.path.constData(), AT_SYMLINK_NOFOLLOW, STATX_TYPE, &type)
                            == 0
                        && S_ISREG(type.stx_mode);
    const Outcome renamed = renameWithoutFlag(from, to, isFile);
    if (renamed.error == EEXIST)
        return renameOntoTaken(from, oldPath, newPath, caseOnly);
    if (!renamed)
        return missingOrRefused(from, newPath, renamed.error);
    // The volume took the name without the flag: it is the flag it lacks.
    m_abilities.setNoReplace(to.volume, Ability::Missing);
    return caseOnly ? confirmCaseOnlyRename(from, to.volume, newPath) : Outcome::success();
}

Outcome LocalFileSystem::confirmCaseOnlyRename(const At &from, const QString &volume, const QString &newPath)
{
    // Where the old spelling is gone, the volume tells letter case apart,
    // and its later case-only renames need no look.
    if (m_abilities.tellsCase(volume))
        return Outcome::success();
    if (!exists(from).value_or(true)) {
        m_abilities.setTellsCase(volume);
        return Outcome::success();
    }
    return listedExactly(Paths::folderPart(newPath), Paths::lastComponent(newPath))
               ? Outcome::success()
               : Outcome::failure(Outcome::Why::CaseKept);
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

bool LocalFileSystem::removeFolder(const QString &path)
{
    const At at = resolve(path);
    return !path.isEmpty() && at.error == 0 && ::unlinkat(at.folder, at.path.constData(), AT_REMOVEDIR) == 0;
}
