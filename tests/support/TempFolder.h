// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTemporaryDir>

// A temporary folder made in one line: TempFolder folder{"a.avi", "Sub/",
// "Sub/b.srt"}. A name ending in "/" makes a folder; every file holds its
// own name as text, so that a test can tell which file ended where.
class TempFolder {
public:
    TempFolder(std::initializer_list<QString> entries = {});
    // An empty temporary folder inside parent (on another volume, say).
    struct Inside {
        QString parent;
    };
    explicit TempFolder(const Inside &where);

    // The folder's path, native, without a trailing separator.
    QString path() const;
    // The native path of an entry below the folder ("Sub/b.srt" allowed).
    QString operator/(const QString &relative) const;
    // Makes the entries; one the volume refuses (a name too long) is left out.
    void make(const QStringList &entries) const;
    // Every entry directly inside the folder, hidden ones too, sorted exactly.
    QStringList names(const QString &subfolder = {}) const;
    // Every file directly inside the folder as "NAME<-what it holds", sorted:
    // as each file first held its own name, a wrong name, a lost file or
    // swapped contents all show.
    QStringList state() const;
    // Everything below the folder, hidden entries too, sorted: "Sub/" for a
    // folder, "Sub/a.avi<-what it holds" for a file.
    QStringList tree() const;
    // The text a file holds; a null text when it cannot be read.
    QString contents(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};

// The bytes a file holds; none when it cannot be read.
QByteArray bytesOf(const QString &path);
