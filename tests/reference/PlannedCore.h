// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/host/FileSystem.h"
#include "core/renamer/CleanUpBatch.h"
#include "core/renamer/RenamePlanner.h"
#include "core/renamer/RenamerChange.h"
#include "core/renamer/UpperCaseWalk.h"

// The planned core as the renamer window drives it: the folder read, the
// renames worked out on its model, then performed at once as one recorded
// change.

inline void plannedMakeChanges(FileSystem &host, const QString &folder, const QStringList &entries,
                               const QString &from, const QString &to)
{
    RenamePlanner planner(FolderModel(host.readFolder(folder)), Wildcard(QStringLiteral("*.*")));
    planner.makeChanges(entries, from, to);
    applyChange(host, renamerChange(ChangeAction::MakeChanges, folder, planner.plan(folder)));
}

inline ChangeOutcome plannedUpperCaseWalk(FileSystem &host, const QString &folder, WalkMode mode)
{
    FolderModel model(host.readFolder(folder));
    planUpperCaseWalk(model, mode);
    return applyChange(host, renamerChange(ChangeAction::UpperCaseWalk, folder, model.plan(folder)));
}

// The clean-up batch planned over the entries of the file list, which lists
// folder through filter. Returns the rows of the last year's preview.
inline QStringList plannedCleanUpBatch(FileSystem &host, const QString &folder, const QStringList &entries,
                                       const QString &filter)
{
    RenamePlanner planner(FolderModel(host.readFolder(folder)), Wildcard(filter));
    const QStringList preview = planCleanUpBatch(planner, entries);
    applyChange(host, renamerChange(ChangeAction::CleanUpBatch, folder, planner.plan(folder)));
    return preview;
}
