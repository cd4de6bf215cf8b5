#pragma once

#include <QFuture>
#include <QString>
#include <QStringList>
#include <QList>
#include <cstring>
#include <functional>
#include <optional>

// Attribute bits that GetAttributes reports.
namespace Attribute {
constexpr int ReadOnly = 1;
constexpr int Hidden = 2;
constexpr int Folder = 16;
}

// Masks for ListFolder: ordinary files only, or files and folders.
namespace ListMask {
constexpr int Files = 0;
constexpr int FilesAndFolders = 16;
}

// Which entries a listing returns. Hidden entries (on Linux, names that begin
// with ".") are never listed.
enum class EntryKinds { Files, FilesAndFolders, Folders };

// Window styles for StartProgram.
namespace WindowStyle {
constexpr int MaximisedWithFocus = 3;
constexpr int MinimisedWithoutFocus = 6;
}

// Line ends for WriteTextFile.
namespace LineEnd {
inline const QString CrLf = QStringLiteral("\r\n");
inline const QString Lf = QStringLiteral("\n");
}

// One entry of a folder as a listing sees it.
struct FolderEntry {
    enum Kind { File, Folder, Other };
    QString name; // the name alone
    Kind kind = File;
    // False when the name's bytes are not valid in the locale's encoding: the
    // entry is listed, but no path built from its text names it.
    bool namable = true;
    // The entry's inode as the listing gives it; 0 when the volume gives none.
    quint64 inode = 0;
    // Where the volume gives no inode that lasts, the entry's size and
    // modification time (nanoseconds since 1970) as the listing found them,
    // so that the file can be told apart without another look; size -1 elsewhere.
    qint64 size = -1;
    qint64 modified = 0;

    bool operator==(const FolderEntry &) const = default;
};

// Which file a path names, so that a later look can tell the same file from
// another that has taken its name since. Where the volume keeps a file's
// inode across renames and mounts, device and inode tell; elsewhere (FAT and
// exFAT drives, most FUSE volumes) size and modification time do.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0; // 0 when it does not tell
    qint64 size = -1;  // -1 when not taken
    qint64 modified = 0; // nanoseconds since 1970, with size

    bool known() const { return inode != 0 || size >= 0; }
    // Whether other may be the same file: every part that both know agrees.
    bool matches(const FileIdentity &other) const
    {
        if (!known() || !other.known())
            return true;
        if (inode != 0 && other.inode != 0 && (inode != other.inode || device != other.device))
            return false;
        if (size >= 0 && other.size >= 0 && (size != other.size || modified != other.modified))
            return false;
        return true;
    }
};

// Which folder a path names, so that a change can tell the folder it began
// in from another that has taken its path since: an empty mount point while
// the drive is away, or another card of the same make at the same place.
struct FolderIdentity {
    quint64 device = 0;
    quint64 inode = 0; // 0 where the volume makes inode numbers up as it goes
    // The volume's own name where the system gives one: its UUID, else its
    // label, else its file system and source ("nfs nas:/videos"); empty when
    // not known.
    QString volume;

    bool known() const { return device != 0 || !volume.isEmpty(); }
    // Whether now, the folder found at the path today, is this folder. A
    // drive that comes back is mounted anew, mostly under another device
    // number: where both name their volume, the volume tells, and the
    // inode where the volume keeps inodes.
    bool sameFolder(const FolderIdentity &now) const
    {
        if (!known())
            return true;
        if (!now.known() || (inode == 0) != (now.inode == 0))
            return false;
        const bool sameVolume = !volume.isEmpty() && !now.volume.isEmpty()
            ? volume == now.volume
            : device == now.device;
        return sameVolume && inode == now.inode;
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
    // The volume's device, and whether the inodes its listing gives stay with
    // their files across renames and mounts.
    quint64 device = 0;
    bool stableInodes = false;

    // Equal contents list the same entries in the same order.
    bool operator==(const FolderContents &) const = default;
};

// What an answer typed into an input box would do, shown under the box
// while the user types.
struct AnswerPreview {
    // One entry whose name the answer changes. The warning is a sentence
    // saying why the new name is not the one the rule gives; empty when it is.
    struct Row {
        QString before;
        QString after;
        QString warning;
    };
    // In the order of the file list.
    QList<Row> rows;
    // One line about the whole answer.
    QString summary;
};

// Works out what an answer would do. It returns at once and does the work
// elsewhere, so that the box answers every key while it waits.
using AnswerPreviewer = std::function<QFuture<AnswerPreview>(const QString &answer)>;

// The result of an operation whose failure the user may have to be told about.
struct Outcome {
    bool ok = true;
    QString reason; // why it failed, in words a user understands; empty when ok
    int error = 0;  // the system's error number (errno) where it gave one
    explicit operator bool() const { return ok; }
    static Outcome success() { return {}; }
    static Outcome failure(const QString &why, int error = 0) { return {false, why, error}; }
    // A failure the system reported by its error number, in its own words.
    static Outcome systemError(int error)
    {
        return failure(QString::fromLocal8Bit(std::strerror(error)), error);
    }
};

// What long work tells whoever waits for it, and what it is asked: safe to
// use from the worker that does the work.
class WorkProgress {
public:
    virtual ~WorkProgress() = default;
    // The work has come to step done of total.
    virtual void report(qint64 done, qint64 total) = 0;
    // Whether the user asked the work to stop; the work stops at the next
    // point where it can stop and leave everything whole.
    virtual bool stopRequested() const = 0;
};

// Everything a window needs from outside the program: dialogs, the file
// system, outside programs, the clock and a random source. Paths are full
// paths in the host's native form. No operation throws; each reports failure
// in its result and touches nothing but the entries it names.
class Host {
public:
    virtual ~Host() = default;

    // A modal message box with one OK button, no icon and the application's title.
    virtual void ShowMessage(const QString &text) = 0;
    // A modal input box pre-filled with defaultText, with hint (the answers
    // it understands) under its field, that shows, for the text in its
    // field, the preview that previewer works out; the field's text on OK,
    // the empty text on Cancel.
    virtual QString AskText(const QString &prompt, const QString &title, const QString &defaultText,
                            const QString &hint, const AnswerPreviewer &previewer) = 0;
    // A modal file dialog, opened in folder, in which the user picks existing
    // files; their paths, or nothing on Cancel.
    virtual QStringList AskFiles(const QString &title, const QString &folder) = 0;
    // What the clipboard holds in a MIME type ("text/uri-list"); empty when
    // it holds nothing of that type.
    virtual QByteArray ClipboardData(const QString &mimeType) = 0;

    // Starts a listing of the entries matching pattern (a folder, a separator
    // and a DOS wildcard pattern) and returns the first name alone, or the
    // empty text when none matches. Mask Files lists ordinary files, mask
    // FilesAndFolders adds folders; hidden entries are never listed. A pattern
    // without wildcards is an existence test of that exact path.
    virtual QString ListFolder(const QString &pattern, int mask) = 0;
    // The next name of the listing under way; the empty text at its end.
    virtual QString ListFolder() = 0;
    // The names alone of the folder's entries of those kinds that match the
    // DOS pattern (several may be joined by ";"), in row order; nothing when
    // the folder cannot be read. Like ReadFolder, safe on a worker thread.
    virtual QStringList ListNames(const QString &folder, const QString &pattern,
                                  EntryKinds kinds) = 0;
    // The folder's entries and what its volume does with names, found out on
    // the folder itself. A worker thread may call it while the window uses
    // the host: it keeps no state between calls.
    virtual FolderContents ReadFolder(const QString &folder) = 0;
    // The host's root folder, then the user's mounted volumes (removable
    // media, network shares), each by the folder it is mounted at.
    virtual QStringList ListDrives() = 0;
    // Attribute bits of a file or folder; nothing when the path names nothing.
    virtual std::optional<int> GetAttributes(const QString &path) = 0;
    // Which file path names now (not following a link); nothing known when
    // it names nothing.
    virtual FileIdentity Identify(const QString &path) = 0;
    // Which folder path names now; nothing known when it names no folder.
    virtual FolderIdentity IdentifyFolder(const QString &folder) = 0;

    // Holds on to a folder for the length of a change: until UnpinFolder,
    // every operation on a path inside it works in the folder that was there
    // when it was pinned, wherever it is moved meanwhile, and never follows a
    // folder or link that takes its place.
    virtual Outcome PinFolder(const QString &folder) = 0;
    virtual void UnpinFolder(const QString &folder) = 0;
    // Where a pinned folder is now: its path, another path when it was moved,
    // or the empty text when it is gone (deleted, or its drive taken away).
    virtual QString PinnedFolderNow(const QString &folder) = 0;

    // Renames a file or folder; never replaces an existing entry. A rename
    // that changes only letter case works, on a case-blind volume too.
    // Failure says why (the system's words).
    virtual Outcome RenameFile(const QString &oldPath, const QString &newPath) = 0;
    // Creates one folder; fails when it exists or its parent is missing.
    virtual Outcome MakeFolder(const QString &path) = 0;
    // Moves one file to destination, its new full path; never replaces, and
    // fails when the destination's folder is missing.
    virtual Outcome MoveFile(const QString &source, const QString &destination) = 0;
    // Reserves the place where the file at path goes when the user deletes
    // it: a free name in the files folder of the freedesktop trash of the
    // file's own volume (so that one rename takes it there and back), held by
    // the trash's note of where the file was and when it was deleted. The
    // trash is made when it is missing. Fails, with the reason, when that
    // trash cannot be made or written; then nothing is reserved.
    virtual Outcome ReserveTrash(const QString &path, QString &place) = 0;
    // Gives up a reserved place whose file is not there (it never came, or it
    // left the trash): its note goes. False while the file is there.
    virtual bool ReleaseTrash(const QString &place) = 0;
    // Removes one folder, only when it is empty.
    virtual bool RemoveFolder(const QString &path) = 0;
    // The folder holding path, without a trailing separator except at the
    // root; the empty text when path has no folder part.
    virtual QString ParentFolder(const QString &path) = 0;
    // Creates or empties the file and writes every line followed by lineEnd,
    // in the locale's encoding; executable sets the owner's run permission
    // where the host has one.
    virtual Outcome WriteTextFile(const QString &path, const QStringList &lines,
                                  const QString &lineEnd, bool executable = false) = 0;

    // The folder where the program keeps its state (the change record),
    // made when it is missing; the empty text when it cannot be made.
    virtual QString StateFolder() = 0;
    // A file's whole content, when it is no larger than maxSize bytes;
    // failure says why (missing, unreadable, too large).
    virtual Outcome ReadFile(const QString &path, qint64 maxSize, QByteArray &content) = 0;
    // At most length bytes of a file from offset on (fewer at its end), and
    // the file's size.
    virtual Outcome ReadFileRange(const QString &path, qint64 offset, qint64 length,
                                  QByteArray &content, qint64 &size) = 0;
    // Writes a new file whole or not at all, and has it on the disk before
    // it returns; fails, writing nothing, when path exists already. This run
    // of the program holds the new file's lock (LockFile) until it lets go.
    virtual Outcome CreateFile(const QString &path, const QByteArray &content) = 0;
    // Adds content at the end of an existing file, on the disk before it
    // returns; on failure the file is as it was.
    virtual Outcome AppendToFile(const QString &path, const QByteArray &content) = 0;
    // Removes one file for good (not into the trash).
    virtual bool RemoveFile(const QString &path) = 0;
    // Takes a lock on a file for this run of the program, or fails while
    // another run holds it; a run that ends, however, lets go of its locks.
    virtual bool LockFile(const QString &path) = 0;
    virtual void UnlockFile(const QString &path) = 0;
    // Calls back whenever a volume is mounted or unmounted (a drive plugged
    // in or pulled, a share connected), from the event loop.
    virtual void WatchVolumes(std::function<void()> changed) = 0;

    // Starts program with arguments (never through a shell) and returns at once.
    virtual Outcome StartProgram(const QString &program, const QStringList &arguments,
                                 int windowStyle) = 0;
    // The time of day as "hh:mm:ss", 24-hour clock.
    virtual QString CurrentTimeText() = 0;
    // Lets the window system handle waiting events (repaints, clicks).
    virtual void YieldToEvents() = 0;
    // Runs work on a worker thread and returns when it is done. Meanwhile the
    // windows repaint but take no input, and once the work has run for about
    // half a second a window-modal box with a progress bar, titled what, lets
    // the user stop it. The work touches no widget.
    virtual void RunLongWork(const QString &what, const std::function<void(WorkProgress &)> &work) = 0;

    // A pseudo-random source: seed it, then draw numbers 0 <= u < 1.
    virtual void SeedRandom(quint32 seed) = 0;
    virtual double NextRandom() = 0;
};
