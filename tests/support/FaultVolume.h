// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A volume that misbehaves on purpose: a temporary source folder mirrored at
// a mount point by the faultfs daemon, whose renames, writes and fsyncs can be
// made to fail, which can refuse RENAME_NOREPLACE, answer slowly like a
// network share, count the requests it gets, or vanish mid-operation. It
// needs /dev/fuse and fusermount3; where one is missing, whyNot() says so.
// The volume is unmounted and its daemon ended when the object goes, also
// when a test fails; a crashed test takes its daemon with it (and the daemon
// unmounts), and anything left is for the cleanup script.
class FaultVolume {
public:
    // The options that make the kernel ask the daemon every time instead of
    // trusting what it cached, so that request counts do not depend on timing.
    static inline const QStringList NoCaching{QStringLiteral("-o"),
                                              QStringLiteral("attr_timeout=0,entry_timeout=0")};

    // fuseOptions go to the daemon as they are; program is the faultfs
    // binary, by default the one FAULTFS_PROGRAM names, else faultfs on PATH.
    explicit FaultVolume(const QStringList &fuseOptions = {}, const QString &program = {});
    ~FaultVolume();
    FaultVolume(const FaultVolume &) = delete;
    FaultVolume &operator=(const FaultVolume &) = delete;

    bool available() const { return m_mounted; }
    // Why the volume could not be mounted; empty when it is.
    QString whyNot() const { return m_whyNot; }
    // Where the volume is mounted.
    QString path() const { return m_mountPoint; }
    // The folder the volume mirrors, to set up or check files behind its back.
    QString sourcePath() const { return m_source; }

    // Sends one or more lines ("fail-rename-to *.srt", "reset", ...); false
    // when the daemon rejects one or cannot be reached.
    bool command(const QString &lines);
    // The requests of each kind since the last reset ("lookup", "rename",
    // "renames-failed", ...); empty when the daemon cannot be reached.
    QMap<QString, qint64> counters() const;

    // Unmounts, lazily when something still holds the volume; true when it
    // is gone. The object may be unmounted any number of times.
    bool unmount();
    // Pulls the volume away mid-operation: the daemon dies and every access
    // below path() that reaches it fails with ENOTCONN until the volume is
    // unmounted. Without NoCaching, the kernel still answers from its cache
    // what it learnt less than a second before.
    void kill();

    // The prefix of the folders that hold volumes; the cleanup script looks
    // for it in mounts.
    static inline const QString FolderPrefix = QStringLiteral("tamsells-faultfs-");

private:
    QString controlPath() const;

    QTemporaryDir m_folder;
    QString m_source;
    QString m_mountPoint;
    QProcess m_daemon;
    bool m_mounted = false;
    QString m_whyNot;
};
