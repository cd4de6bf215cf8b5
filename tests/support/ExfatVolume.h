#pragma once

#include <QString>
#include <QTemporaryDir>

// A real case-blind volume for a test: an exFAT image made with mkfs.exfat,
// attached to a free loop device and mounted through exfat-fuse. It needs
// root, /dev/fuse and a loop device; where one is missing, whyNot() says so.
// The volume is unmounted and its loop device detached when the object goes,
// also when a test fails; a crashed test leaves it to the cleanup script.
class ExfatVolume {
public:
    ExfatVolume();
    ~ExfatVolume();
    ExfatVolume(const ExfatVolume &) = delete;
    ExfatVolume &operator=(const ExfatVolume &) = delete;

    bool isMounted() const { return m_mounted; }
    // Why the volume could not be made; empty when it is mounted.
    QString whyNot() const { return m_whyNot; }
    // Where the volume is mounted.
    QString path() const { return m_mountPoint; }

    // Pulls the drive out from under the program: its FUSE daemon is killed,
    // and every call on the volume fails until plugBack() mounts it again.
    void pull();
    bool plugBack();

    // The prefix of the folders that hold images; the cleanup script looks
    // for it in mounts and loop devices.
    static inline const QString FolderPrefix = QStringLiteral("tamsells-exfat-");

private:
    bool mount();
    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr);

    QTemporaryDir m_folder;
    QString m_device;
    QString m_mountPoint;
    bool m_mounted = false;
    QString m_whyNot;
};
