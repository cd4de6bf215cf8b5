// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/folderer/MakeFolders.h"

#include "core/base/Paths.h"
#include "core/changes/FolderCache.h"
#include "core/changes/ChangeEngine.h"
#include "core/folderer/FolderNames.h"

#include <QSet>

namespace {

// The planned folders that are not there yet, each folder's parent read once.
QStringList missingFolders(FileSystem &fileSystem, const QStringList &folders)
{
    FolderCache parents(fileSystem);
    QSet<QString> seen;
    QStringList missing;
    for (const QString &folder : folders) {
        if (seen.contains(folder))
            continue;
        seen.insert(folder);
        if (parents.entryAt(folder) < 0)
            missing << folder;
    }
    return missing;
}

// Row by row, the row's folder made and the row's file moved; then every
// move that failed once more, now that every folder has been made.
ChangeSchedule scheduleMakeFolders(const QStringList &files, const QStringList &folders)
{
    ChangeSchedule schedule;
    schedule.folders = folders;
    for (int i = 0; i < files.size(); ++i) {
        schedule.renames.append({files[i], targetPath(files[i])});
        schedule.steps.append({ChangeSchedule::MakeFolder, i});
        schedule.steps.append({ChangeSchedule::Move, i});
    }
    for (int i = 0; i < files.size(); ++i)
        schedule.steps.append({ChangeSchedule::Move, i});
    schedule.temporaries.resize(files.size());
    return schedule;
}

} // namespace

ChangeOutcome makeFolders(FileSystem &fileSystem, const QStringList &files, const QStringList &folders,
                          WorkProgress *progress)
{
    ChangePlan change;
    change.action = ChangeAction::MakeFolders;
    change.schedule = scheduleMakeFolders(files, folders);
    QSet<QString> touched;
    for (const Rename &move : std::as_const(change.schedule.renames)) {
        for (const QString &folder : {Paths::folderPart(move.from), Paths::folderPart(move.to)}) {
            if (!touched.contains(folder)) {
                touched.insert(folder);
                change.folders << folder;
            }
        }
    }
    change.madeFolders = missingFolders(fileSystem, folders);
    ChangeOutcome outcome = applyChange(fileSystem, change, progress);
    // Moves that fail are passed over without a word, as they always were.
    outcome.failures.clear();
    return outcome;
}
