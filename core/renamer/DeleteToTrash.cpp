// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/DeleteToTrash.h"

#include "core/base/Paths.h"
#include "core/host/FileSystem.h"

DeleteReport deleteToTrash(FileSystem &fileSystem, const QString &path, const QDateTime &deleted)
{
    DeleteReport report{path, Outcome::success(), {}};
    if (fileSystem.entryKind(path) != FolderEntry::File)
        return report;
    QString place;
    report.reserved = fileSystem.reserveTrash(path, deleted, place);
    if (!report.reserved)
        return report;

    ChangePlan change;
    change.action = ChangeAction::Delete;
    change.folders = {Paths::folderPart(path), Paths::folderPart(place)};
    change.intoTrash = true;
    change.schedule.renames = {{path, place}};
    change.schedule.temporaries = {QString()};
    change.schedule.steps = {{ChangeSchedule::Trash, 0}};
    report.change = applyChange(fileSystem, change);
    return report;
}
