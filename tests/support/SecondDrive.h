// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

// A small tmpfs of its own, mounted for one test: a drive other than the
// one the temporary folders are on, or, mounted over a folder, the empty
// mount point that stands in a drive's place while it is away. It needs
// root; where it cannot mount, whyNot() says why. It is unmounted when it
// goes, also when the test fails.
class SecondDrive {
public:
    // Mounted on a temporary folder of its own, or over the folder at.
    explicit SecondDrive(const QString &at = {});
    ~SecondDrive();
    SecondDrive(const SecondDrive &) = delete;
    SecondDrive &operator=(const SecondDrive &) = delete;

    QString whyNot() const { return m_whyNot; }
    QString path() const { return m_path; }
    // Unmounts it now: a folder it was mounted over is seen again.
    void unmount();

private:
    QTemporaryDir m_folder;
    QString m_path;
    bool m_mounted = false;
    QString m_whyNot;
};
