#pragma once

#include "core/host/Host.h"

#include <memory>
#include <random>

class QLockFile;

// The local machine as the program's host: its file system, outside programs
// started directly, the wall clock and a Mersenne Twister. The dialogs are
// left to a subclass, so that nothing here needs a widget.
class LocalHost : public Host {
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
    bool RenameFile(const QString &oldPath, const QString &newPath) override;
    bool MakeFolder(const QString &path) override;
    bool MoveFile(const QString &source, const QString &destination) override;
    Outcome ReserveTrash(const QString &path, QString &place) override;
    bool ReleaseTrash(const QString &place) override;
    bool RemoveFolder(const QString &path) override;
    QString ParentFolder(const QString &path) override;
    Outcome WriteTextFile(const QString &path, const QStringList &lines,
                          const QString &lineEnd, bool executable) override;

    QString StateFolder() override;
    bool ClaimStateFolder() override;
    std::optional<QByteArray> ReadFile(const QString &path) override;
    Outcome WriteFileSafely(const QString &path, const QByteArray &content) override;
    Outcome AppendToFile(const QString &path, const QByteArray &content) override;
    bool RemoveFile(const QString &path) override;

    Outcome StartProgram(const QString &program, const QStringList &arguments,
                         int windowStyle) override;
    QString CurrentTimeText() override;
    void YieldToEvents() override;

    void SeedRandom(quint32 seed) override;
    double NextRandom() override;

protected:
    // $XDG_STATE_HOME/tamsells-file-utilities, or ~/.local/state/... when
    // XDG_STATE_HOME is not set.
    QString m_stateFolder;

private:
    std::unique_ptr<QLockFile> m_stateLock;
    QStringList m_listing;
    qsizetype m_nextInListing = 0;
    std::mt19937 m_random{1};
};
