// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/FolderEntry.h"
#include "core/base/Outcome.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Line ends for writeTextFile.
namespace LineEnd {
inline const QString CrLf = QStringLiteral("\r\n");
inline const QString Lf = QStringLiteral("\n");
} // namespace LineEnd

// Which file a path names, so that a later look can tell the same file from
// another that has taken its name since: its volume's own identity (see
// VolumeIdentity.h), with its inode where the volume keeps inodes across
// renames and mounts, and its size and modification time where it does not
// (FAT and exFAT drives, most FUSE volumes) or where the volume names no
// identity of its own. Never a device number, which changes when a drive
// comes back in another slot.
struct FileIdentity {
    QString volume;      // empty when the volume gives none
    quint64 inode = 0;   // 0 when it does not tell
    qint64 size = -1;    // -1 when not taken
    qint64 modified = 0; // nanoseconds since 1970, with size

    bool known() const { return inode != 0 || size >= 0; }
    // Whether other may be the same file: every part that both know agrees.
    bool matches(const FileIdentity &other) const
    {
        if (!known() || !other.known())
            return true;
        if (!volume.isEmpty() && !other.volume.isEmpty() && volume != other.volume)
            return false;
        if (inode != 0 && other.inode != 0 && inode != other.inode)
            return false;
        if (size >= 0 && other.size >= 0 && (size != other.size || modified != other.modified))
            return false;
        return true;
    }
};

// Which folder a path names, so that a change can tell the folder it began
// in from another that has taken its path since: an empty mount point while
// the drive is away, or another card at the same place.
struct FolderIdentity {
    // The volume's own identity; empty when it gives none.
    QString volume;
    quint64 inode = 0; // 0 where the volume makes inode numbers up as it goes

    bool known() const { return !volume.isEmpty() || inode != 0; }
    // Whether now, the folder found at the path today, is this folder. A
    // drive that comes back is mounted anew, mostly under another device
    // number: its volume tells, and the inode where the volume keeps inodes.
    bool sameFolder(const FolderIdentity &now) const
    {
        if (!known())
            return true;
        if (!volume.isEmpty() && volume != now.volume)
            return false;
        return inode == 0 || inode == now.inode;
    }
    bool operator==(const FolderIdentity &) const = default;
};

// What a rename in one folder can collide with, and how its volume treats names.
struct FolderContents {
    // False when the folder could not be read; then nothing below is known.
    bool readable = false;
    // Every entry that is not hidden, in no particular order. Other entries
    // (links to nothing, devices) hold a name but are never listed.
    QList<FolderEntry> entries;
    // Whether the volume takes two names that differ only in letter case for
    // one (FAT and exFAT drives, SD cards, shares served by Windows).
    bool caseBlind = false;
    // The longest name the volume takes, in bytes of the locale's encoding.
    int longestName = 255;
    // The volume's own identity (empty when it gives none), and whether the
    // inodes its listing gives stay with their files across renames and mounts.
    QString volume;
    bool stableInodes = false;

    // Equal contents list the same entries in the same order.
    bool operator==(const FolderContents &) const = default;
};

// The file system as the program's core sees it: the one way to the disk.
// Paths are full paths in the host's native form. No operation throws; each
// reports failure in its result and touches nothing but the entries it
// names.
// Threads: the window and the workers call it at once; what it keeps between calls is locked or per call.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Listing.
    // The folder's entries that are not hidden, each with its name and kind
    // (and its inode where the listing gives one), in the order the folder
    // gives them; nothing when the folder cannot be read. Which of them a
    // list shows, and in which order, is the list's to say (FolderRows.h).
    virtual QList<FolderEntry> listFolder(const QString &folder) = 0;
    // The folder's entries and what its volume does with names, found out on
    // the folder itself: dearer than listFolder on a volume that keeps no
    // inodes, as each file's size and time is looked up too.
    virtual FolderContents readFolder(const QString &folder) = 0;
    // The host's root folder, then the user's mounted volumes (removable
    // media, network shares), each by the folder it is mounted at.
    virtual QStringList listDrives() = 0;
    // What kind of entry path names, a link followed as a listing follows
    // it; nothing when it names nothing.
    virtual std::optional<FolderEntry::Kind> entryKind(const QString &path) = 0;

    // Identity.
    // Which file path names now (not following a link); nothing known when
    // it names nothing.
    virtual FileIdentity identify(const QString &path) = 0;
    // Which folder path names now; nothing known when it names no folder.
    virtual FolderIdentity identifyFolder(const QString &folder) = 0;
    // Whether path is a second name of the file at first: one file under
    // exactly these two names, as a move by hard link leaves it when it is
    // cut off between its link and its unlink.
    virtual bool isSecondName(const QString &path, const QString &first) = 0;
    // Whether a folder stands at the path that another user owns: neither
    // the user's own nor the system's.
    virtual bool isOthersFolder(const QString &folder) = 0;

    // Pinning.
    // Holds on to a folder for the length of a change: until unpinFolder,
    // every operation on a path inside it works in the folder that was there
    // when it was pinned, wherever it is moved meanwhile, and never follows a
    // folder or link that takes its place, nor a link below it. Only the
    // change that pinned a folder unpins it; a call on another thread that
    // works in it meanwhile finishes in it.
    virtual Outcome pinFolder(const QString &folder) = 0;
    virtual void unpinFolder(const QString &folder) = 0;
    // Where a pinned folder is now: its path, another path when it was moved,
    // or the empty text when it is gone (deleted, or its drive taken away).
    virtual QString pinnedFolderNow(const QString &folder) = 0;

    // Renames and moves, never replacing anything.
    // Renames a file or folder; never replaces an existing entry. A rename
    // that changes only letter case works, on a case-blind volume too. Where
    // newPath is already a second name of the file (isSecondName), the move
    // is finished: oldPath goes. A name whose characters the volume refuses
    // fails NameRefused.
    virtual Outcome rename(const QString &oldPath, const QString &newPath) = 0;
    // Moves one file to destination, its new full path; never replaces, and
    // fails when the destination's folder is missing.
    virtual Outcome moveFile(const QString &source, const QString &destination) = 0;
    // Creates one folder; fails when it exists or its parent is missing.
    virtual Outcome makeFolder(const QString &path) = 0;
    // Removes one folder, only when it is empty.
    virtual bool removeFolder(const QString &path) = 0;

    // The trash.
    // Reserves the place where the file at path goes when the user deletes
    // it at the time deleted: a free name in the files folder of the
    // freedesktop trash of the file's own volume (so that one rename takes it
    // there and back), held by the trash's note of where the file was and
    // when it was deleted. The trash is made when it is missing. Fails, with
    // the reason, when that trash cannot be made or written; then nothing is
    // reserved.
    virtual Outcome reserveTrash(const QString &path, const QDateTime &deleted, QString &place) = 0;
    // Gives up a reserved place whose file is not there (it never came, or
    // it left the trash): its note goes. False while the file is there.
    virtual bool releaseTrash(const QString &place) = 0;

    // Durable writes.
    // Creates or empties the file and writes every line followed by lineEnd,
    // in the locale's encoding, whole or not at all; executable sets the
    // owner's run permission where the host has one.
    virtual Outcome writeTextFile(const QString &path, const QStringList &lines, const QString &lineEnd,
                                  bool executable = false)
        = 0;
    // The folder where the program keeps its state (the change record), as
    // the program named it when it made the file system, for the user's eyes
    // only: made (mode 0700, with any folder above it that is missing) when
    // it is missing, and checked through descriptors before it is used: it,
    // and each folder above it up to the user's home, is a real folder (no
    // link), the user's own (or, above it, the system's) and not open to
    // other users' writes. Every record is then reached through the folder
    // that was checked. The empty text when it cannot be made or is refused;
    // why says why.
    virtual QString stateFolder(Outcome *why = nullptr) = 0;
    // A file's whole content, when it is no larger than maxSize bytes.
    virtual Outcome readFile(const QString &path, qint64 maxSize, QByteArray &content) = 0;
    // At most length bytes of a file from offset on (fewer at its end), and
    // the file's size.
    virtual Outcome readFileRange(const QString &path, qint64 offset, qint64 length, QByteArray &content,
                                  qint64 &size)
        = 0;
    // Writes a new file whole or not at all, for the user's eyes only, and
    // has it on the disk before it returns; fails, writing nothing, when
    // path exists already. It stays locked (lockFile) until unlockFile.
    virtual Outcome createFile(const QString &path, const QByteArray &content) = 0;
    // Adds content at the end of an existing file, on the disk before it
    // returns; on failure the file is as it was.
    virtual Outcome appendToFile(const QString &path, const QByteArray &content) = 0;
    // Removes one file for good (not into the trash).
    virtual bool removeFile(const QString &path) = 0;

    // Locks.
    // Takes a lock on a file for this run of the program, or fails while
    // another run holds it; a run that ends, however, lets go of its locks.
    virtual bool lockFile(const QString &path) = 0;
    virtual void unlockFile(const QString &path) = 0;

    // Volume events.
    // Calls back whenever a volume is mounted or unmounted (a drive plugged
    // in or pulled, a share connected), from the event loop.
    virtual void watchVolumes(std::function<void()> changed) = 0;
};
