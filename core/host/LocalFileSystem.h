// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/host/Descriptor.h"
#include "core/host/DurableFile.h"
#include "core/host/FileSystem.h"
#include "core/host/NativePath.h"
#include "core/host/StateFolder.h"
#include "core/host/Trash.h"
#include "core/host/VolumeAbilities.h"

#include <QHash>
#include <QSet>
#include <map>
#include <memory>
#include <mutex>

class QSocketNotifier;

// The local machine's file system, on Linux: folders read with readdir,
// renames that never replace (renameat2, else a hard link, else a look
// first), folders pinned by descriptor, checked writes, locks, the
// freedesktop trash, and the mount table watched for volumes that come and
// go. Each job is a file of its own: LocalListing.cpp (a folder's entries
// and what its volume does with names), LocalIdentity.cpp (which file or
// folder a path names), LocalPinning.cpp (a change's folders held by
// descriptor, and every path reached through them), LocalRenames.cpp
// (renames and moves, folders made and removed), LocalFiles.cpp (reads,
// durable writes, locks, the state folder), LocalTrash.cpp and
// LocalVolumes.cpp (the drives, and volumes that come and go).
class LocalFileSystem : public FileSystem, protected FileWriter {
public:
    // The program's state (the change record) is kept in stateFolder
    // (ChangeJournal::defaultFolder for the user's own).
    explicit LocalFileSystem(const QString &stateFolder);
    ~LocalFileSystem() override;

    QList<FolderEntry> listFolder(const QString &folder) override;
    FolderContents readFolder(const QString &folder) override;
    QStringList listDrives() override;
    std::optional<FolderEntry::Kind> entryKind(const QString &path) override;
    FileIdentity identify(const QString &path) override;
    FolderIdentity identifyFolder(const QString &folder) override;
    bool isSecondName(const QString &path, const QString &first) override;
    bool isOthersFolder(const QString &folder) override;

    Outcome pinFolder(const QString &folder) override;
    void unpinFolder(const QString &folder) override;
    QString pinnedFolderNow(const QString &folder) override;

    Outcome rename(const QString &oldPath, const QString &newPath) override;
    Outcome moveFile(const QString &source, const QString &destination) override;
    Outcome makeFolder(const QString &path) override;
    bool removeFolder(const QString &path) override;
    Outcome reserveTrash(const QString &path, const QDateTime &deleted, QString &place) override;
    bool releaseTrash(const QString &place) override;

    Outcome writeTextFile(const QString &path, const QStringList &lines, const QString &lineEnd,
                          bool executable) override;
    QString stateFolder(Outcome *why = nullptr) override;
    Outcome readFile(const QString &path, qint64 maxSize, QByteArray &content) override;
    Outcome readFileRange(const QString &path, qint64 offset, qint64 length, QByteArray &content,
                          qint64 &size) override;
    Outcome createFile(const QString &path, const QByteArray &content) override;
    Outcome appendToFile(const QString &path, const QByteArray &content) override;
    bool removeFile(const QString &path) override;
    bool lockFile(const QString &path) override;
    void unlockFile(const QString &path) override;
    void watchVolumes(std::function<void()> changed) override;

private:
    // A path as the system's *at calls take it: a folder's descriptor (a
    // pinned folder's, the state folder's, or the current folder's) and the
    // rest of the path, kept for one call. A folder below a pinned one is
    // opened through it, following no link; it, a pinned folder and the
    // state folder are held here while the call uses them, so that another
    // thread that lets go of them meanwhile closes nothing under the call.
    // error says why the folder could not be reached.
    struct At {
        Descriptor below;
        std::shared_ptr<const Descriptor> held;
        int folder;
        NativePath path;
        QString volume; // the pinned folder's volume (VolumeAbilities); empty when not pinned
        int error = 0;

        FileAt file(const QString &fullPath) const { return {folder, path.constData(), fullPath}; }
    };
    At resolve(const QString &path) const;
    // The folder at path opened for a listing (the state folder through its
    // checked descriptor); -1 when it cannot be opened.
    int openForListing(const QString &folder) const;
    // Whether an entry answers to path, asked of the volume itself; nothing
    // when the volume cannot tell (errno says why).
    std::optional<bool> exists(const At &at) const;
    Outcome renameThroughTemporary(const QString &oldPath, const QString &newPath);
    // A rename on a volume that cannot rename without replacing: by a hard
    // link and the old name's removal where the volume has hard links (the
    // link fails when the name is taken), else by a look at the target
    // first.
    Outcome renameWithoutFlag(const At &from, const At &to, bool isFile);
    // Where the new name is taken: by the file itself on a case-blind
    // volume (a case-only rename goes through a temporary name), or by the
    // same file as its second name (the old name goes); else EEXIST.
    Outcome renameOntoTaken(const At &from, const QString &oldPath, const QString &newPath, bool caseOnly);
    // A rename that found no entry: the volume refused the new name's
    // characters where the old name is there (exfat-fuse answers so for ':').
    Outcome missingOrRefused(const At &from, const QString &newPath, int error) const;
    // A case-blind volume may report a case-only rename done that it did not
    // do: CaseKept when the new spelling is not listed and the old one is.
    Outcome confirmCaseOnlyRename(const At &from, const QString &volume, const QString &newPath);

    // A pinned folder; the change that pinned it lets go of it, and it is
    // closed once no call holds it any more.
    struct Pin {
        std::shared_ptr<const Descriptor> folder;
        QString volume;
    };

    // What is kept between calls, which any thread may make at once, and
    // how: the pins (with the last one a path was found in), the locks and
    // the places reserved in the trash under m_mutex; what volumes do and
    // the state folder under locks of their own (VolumeAbilities,
    // StateFolder, and the mount table and volume identities behind them).
    // The watch on the mount table is made and used on the window's thread.
    // Listings and identities are kept by no call beyond its end.
    mutable std::mutex m_mutex;
    QHash<QString, Pin> m_pins;
    // A change's paths mostly share one folder: each is resolved without a copy.
    mutable QString m_lastPinned;
    mutable Pin m_lastPin;
    QHash<QString, int> m_locks;
    // Places reserved in a trash that no file has moved into yet, by path;
    // moveFile moves a file into one through its open files folder.
    std::map<QString, Trash::Place> m_trashPlaces;
    // What each volume was found to do with a rename that must not replace,
    // with hard links and with letter case. A volume that refuses the flag
    // is known to lack it only once a rename without it went through: the
    // same refusal is given for a name the volume does not take (":" on exFAT).
    VolumeAbilities m_abilities;
    StateFolder m_state;
    // The mount table, open while the window's event loop watches it.
    Descriptor m_mountTable;
    std::unique_ptr<QSocketNotifier> m_volumeEvents;
};
