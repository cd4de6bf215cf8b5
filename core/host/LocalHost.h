#pragma once

#include "core/host/Descriptor.h"
#include "core/host/DurableFile.h"
#include "core/host/Host.h"
#include "core/host/NativePath.h"
#include "core/host/Trash.h"

#include <QHash>
#include <QSet>
#include <map>
#include <memory>
#include <mutex>
#include <random>

class QSocketNotifier;

// The local machine as the program's host: its file system, outside programs
// started directly, the wall clock and a Mersenne Twister. The dialogs are
// left to a subclass, so that nothing here needs a widget.
class LocalHost : public Host, protected FileWriter {
public:
    LocalHost();
    ~LocalHost() override;

    QString ListFolder(const QString &pattern, int mask) override;
    QString ListFolder() override;
    QStringList ListNames(const QString &folder, const QString &pattern,
                          EntryKinds kinds) override;
    FolderContents ReadFolder(const QString &folder) override;
    QStringList ListDrives() override;
    std::optional<int> GetAttributes(const QString &path) override;
    FileIdentity Identify(const QString &path) override;
    FolderIdentity IdentifyFolder(const QString &folder) override;

    Outcome PinFolder(const QString &folder) override;
    void UnpinFolder(const QString &folder) override;
    QString PinnedFolderNow(const QString &folder) override;

    Outcome RenameFile(const QString &oldPath, const QString &newPath) override;
    Outcome MakeFolder(const QString &path) override;
    Outcome MoveFile(const QString &source, const QString &destination) override;
    Outcome ReserveTrash(const QString &path, QString &place) override;
    bool ReleaseTrash(const QString &place) override;
    bool RemoveFolder(const QString &path) override;
    QString ParentFolder(const QString &path) override;
    Outcome WriteTextFile(const QString &path, const QStringList &lines,
                          const QString &lineEnd, bool executable) override;

    QString StateFolder() override;
    Outcome ReadFile(const QString &path, qint64 maxSize, QByteArray &content) override;
    Outcome ReadFileRange(const QString &path, qint64 offset, qint64 length, QByteArray &content,
                          qint64 &size) override;
    Outcome CreateFile(const QString &path, const QByteArray &content) override;
    Outcome AppendToFile(const QString &path, const QByteArray &content) override;
    bool RemoveFile(const QString &path) override;
    bool LockFile(const QString &path) override;
    void UnlockFile(const QString &path) override;
    void WatchVolumes(std::function<void()> changed) override;

    Outcome StartProgram(const QString &program, const QStringList &arguments,
                         int windowStyle) override;
    QString CurrentTimeText() override;
    void YieldToEvents() override;
    // The work on a worker, with no window of its own.
    void RunLongWork(const QString &what, const std::function<void(WorkProgress &)> &work) override;

    void SeedRandom(quint32 seed) override;
    double NextRandom() override;

protected:
    // Runs work on a worker with progress, tick and stop as runOnWorker
    // (LongWork.h) takes them; a drive that comes or goes meanwhile is told
    // of once the work has ended, so that no recovery runs beside a change.
    void runLongWork(const std::function<void(WorkProgress &)> &work, WorkProgress &progress,
                     const std::function<void()> &tick, const std::function<void()> &stop);

    // $XDG_STATE_HOME/tamsells-file-utilities, or ~/.local/state/... when
    // XDG_STATE_HOME is not set.
    QString m_stateFolder;
    std::once_flag m_privateState;

private:
    // A path as the system's *at calls take it: a folder's descriptor (a
    // pinned folder's, or the current folder's) and the rest of the path.
    // A folder below a pinned one is opened through it, following no link,
    // and held here while the call uses it; error says why when that fails.
    struct At {
        Descriptor below;
        int folder;
        NativePath path;
        quint64 device; // the pinned folder's device; 0 when not pinned
        int error = 0;
    };
    At resolve(const QString &path) const;
    // Whether an entry answers to path, asked of the volume itself; nothing
    // when the volume cannot tell (errno says why).
    std::optional<bool> exists(const At &at) const;
    Outcome renameNoReplace(const QString &oldPath, const QString &newPath);
    Outcome renameThroughTemporary(const QString &oldPath, const QString &newPath);
    // A rename on a volume that cannot rename without replacing: by a hard
    // link and the old name's removal where the volume has hard links (the
    // link fails when the name is taken), else by a look at the target
    // first.
    Outcome renameWithoutFlag(const At &from, const At &to, bool isFile);

    struct Pin {
        int fd;
        quint64 device;
    };
    QHash<QString, Pin> m_pins;
    // The pinned folder that the last path was in: a change's paths mostly
    // share one folder, and each is resolved without a copy.
    mutable QString m_lastPinned;
    mutable Pin m_lastPin{-1, 0};
    // What each volume (by device) was found to do with a rename that must
    // not replace, and with hard links. A volume that refuses the flag is
    // known to lack it only once a rename without it went through: the same
    // refusal is given for a name the volume does not take (":" on exFAT).
    enum class Ability { Unknown, Works, Missing };
    QHash<quint64, Ability> m_noReplace;
    QSet<quint64> m_noHardLinks;
    // Volumes (by device) known to tell letter case apart.
    QSet<quint64> m_tellsCase;
    QHash<QString, int> m_locks;
    // Places reserved in a trash that no file has moved into yet, by path;
    // MoveFile moves a file into one through its open files folder.
    std::map<QString, Trash::Place> m_trashPlaces;
    std::unique_ptr<QSocketNotifier> m_mounts;
    std::function<void()> m_volumesChanged;
    bool m_working = false;
    bool m_volumesChangedMeanwhile = false;
    QStringList m_listing;
    qsizetype m_nextInListing = 0;
    std::mt19937 m_random{1};
};
