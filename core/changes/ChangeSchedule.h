// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/RenamePlan.h"

#include <QList>
#include <QStringList>

// The steps that perform a change on disk, in order: renames and moves of
// files, and folders made.
struct ChangeSchedule {
    enum Kind {
        Direct,       // a rename straight from its old path to its new one
        Park,         // a rename from its old path to its temporary path
        Place,        // a rename from its temporary path to its new one
        MakeFolder,   // makes folders[index]
        RemoveFolder, // removes folders[index] when it is empty
        Move,         // a move of a file from its old path to its new one, unless it is there already
        Trash,        // a move of a file into the place the host reserved for it in the
                      // trash (FileSystem::reserveTrash); a move that fails gives the place up
    };
    struct Step {
        Kind kind;
        int index; // into renames, or into folders for MakeFolder
    };
    QList<Rename> renames;
    // For each rename, the temporary path it waits under; empty for most.
    QStringList temporaries;
    QStringList folders;
    QList<Step> steps;
};

// The order in which a plan's renames run. A rename waits until another
// rename of the plan has freed the name it needs; a cycle of names passes
// one file through a temporary name. Temporary paths are the plan's folder,
// the temporary prefix and a number drawn from a random source seeded with
// 1; none is held or wanted by anything in the plan.
ChangeSchedule scheduleRenames(const RenamePlan &plan);
