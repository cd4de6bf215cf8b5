#include "core/renamer/DeleteToTrash.h"

#include "core/base/Paths.h"
#include "core/changes/ChangeEngine.h"
#include "core/host/FileSystem.h"

QString deleteToTrash(FileSystem &fileSystem, const QString &path, const QDateTime &deleted)
{
    if (fileSystem.entryKind(path) != FolderEntry::File)
        return {};
    QString place;
    const Outcome reserved = fileSystem.reserveTrash(path, deleted, place);
    if (!reserved)
        return QStringLiteral("%1 was not deleted: %2.").arg(path, reserved.reason);

    ChangePlan change;
    change.tool = ChangeRecord::Tool::Renamer;
    change.what = QStringLiteral("Delete");
    change.folders = {Paths::folderPart(path), Paths::folderPart(place)};
    change.intoTrash = true;
    change.schedule.renames = {{path, place}};
    change.schedule.temporaries = {QString()};
    change.schedule.steps = {{ChangeSchedule::Trash, 0}};
    const ChangeOutcome outcome = applyChange(fileSystem, change);
    QStringList told;
    for (const ChangeOutcome::Failure &failure : outcome.failures)
        told << QStringLiteral("%1 was not deleted: it could not be moved to the trash (%2).")
                    .arg(path, failure.reason);
    told << outcome.folderNotes;
    if (!outcome.unrecorded.isEmpty())
        told << cannotUndoMessage(outcome.unrecorded);
    return told.join(QStringLiteral("\n\n"));
}
