#include "core/renamer/DeleteToTrash.h"

#include "core/base/Paths.h"
#include "core/changes/RecordedChange.h"
#include "core/host/Host.h"

QString deleteToTrash(Host &host, const QString &path)
{
    const std::optional<int> attributes = host.GetAttributes(path);
    if (!attributes || (*attributes & Attribute::Folder))
        return {};
    QString place;
    const Outcome reserved = host.ReserveTrash(path, place);
    if (!reserved)
        return QStringLiteral("%1 was not deleted: %2.").arg(path, reserved.reason);

    ChangeSchedule schedule;
    schedule.renames = {{path, place}};
    schedule.temporaries = {QString()};
    schedule.steps = {{ChangeSchedule::Trash, 0}};
    StoredChange change;
    change.record.tool = ChangeRecord::Tool::Renamer;
    change.record.what = QStringLiteral("Delete");
    change.record.folders = {Paths::folderPart(path), Paths::folderPart(place)};
    change.record.intoTrash = true;
    ChangeJournal journal(host);
    const ChangeOutcome outcome =
        applyChange(host, journal, change, ChangeRecord::List::Renames, schedule);
    QStringList told;
    for (const ChangeOutcome::Failure &failure : outcome.failures)
        told << QStringLiteral("%1 was not deleted: it could not be moved to the trash (%2).")
                    .arg(path, failure.reason);
    told << outcome.folderNotes;
    if (!outcome.unrecorded.isEmpty())
        told << cannotUndoMessage(outcome.unrecorded);
    return told.join(QStringLiteral("\n\n"));
}
