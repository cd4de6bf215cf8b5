// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

class FileSystem;

// The host's root folder and the user's mounted volumes (removable media,
// network shares), each by the folder at which it is mounted.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    DriveListBox(FileSystem &fileSystem, QWidget *parent = nullptr);

    // The chosen drive's folder.
    QString drive() const { return currentText(); }

signals:
    // The user chose another drive.
    void driveChanged();
};
