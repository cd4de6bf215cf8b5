// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/host/FileSystem.h"

#include <QList>
#include <QString>
#include <functional>

// A rename of one file or folder, by full paths, and which file it is where
// that is known already.
struct Rename {
    QString from;
    QString to;
    FileIdentity identity = {};
};

// Renames worked out in memory, to be performed together: every file moves
// once, from where it is to where it ends, and no two end at the same name.
struct RenamePlan {
    QList<Rename> renames;
    // Whether the volume takes names that differ only in letter case for one.
    bool caseBlind = false;
    // Whether a path names an entry that stays where it is: no temporary
    // name may be one, nor any path the plan renames from or to.
    std::function<bool(const QString &path)> stays;
};
