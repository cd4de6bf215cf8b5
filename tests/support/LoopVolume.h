// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

// A real volume for a test: an image made with mkfs, attached to a free loop
// device and mounted: exFAT through exfat-fuse (a case-blind card), ext4 or
// btrfs by the kernel. It needs root, a loop device and, for exFAT,
// /dev/fuse; where one is missing, whyNot() says so. The volume is unmounted
// and its loop device detached when the object goes, also when a test fails;
// a crashed test leaves it to the cleanup script.
class LoopVolume {
public:
    enum class Kind { Exfat, Ext4, Btrfs };

    // Mounted on a folder of its own, or at mountPoint (another card in the
    // slot of one that is unmounted).
    explicit LoopVolume(Kind kind = Kind::Exfat, const QString &mountPoint = {});
    ~LoopVolume();
    LoopVolume(const LoopVolume &) = delete;
    LoopVolume &operator=(const LoopVolume &) = delete;

    bool isMounted() const { return m_mounted; }
    // Why the volume could not be made; empty when it is mounted.
    QString whyNot() const { return m_whyNot; }
    // Where the volume is mounted.
    QString path() const { return m_mountPoint; }

    // Pulls an exFAT drive out from under the program: its FUSE daemon is
    // killed, and every call on the volume fails until plugBack() mounts it
    // again.
    void pull();
    bool plugBack();
    // Unmounts the volume and detaches its loop device, as a drive taken out.
    void takeOut();
    // Plugs it in again through another loop device than before, so that it
    // comes back under another device number (for btrfs, whose numbers the
    // kernel makes up, while a mount of its own holds the one it had), and
    // mounts it where it was.
    bool plugInElsewhere();

    // The prefix of the folders that hold images; the cleanup script looks
    // for it in mounts and loop devices.
    static inline const QString FolderPrefix = QStringLiteral("tamsells-loop-");

private:
    bool attach(const QString &avoid = {});
    bool mount();
    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr);

    Kind m_kind;
    QTemporaryDir m_folder;
    QString m_image;
    QString m_device;
    QString m_mountPoint;
    bool m_mounted = false;
    QString m_whyNot;
};
