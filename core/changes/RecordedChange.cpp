#include "core/changes/RecordedChange.h"

#include "core/base/CountedName.h"
#include "core/host/Host.h"

namespace {

// A file that waited under a temporary path and cannot reach its new one:
// back to its old path, or the first free counted name beside it.
QString putBack(Host &host, const QString &temporary, const QString &old)
{
    if (host.RenameFile(temporary, old))
        return old;
    for (int k = 1; k <= LastCounter; ++k) {
        const QString counted = countedName(old, k);
        if (host.RenameFile(temporary, counted))
            return counted;
    }
    return temporary;
}

// Runs the steps; returns where each file stands afterwards.
ChangeOutcome perform(Host &host, const ChangeSchedule &schedule)
{
    ChangeOutcome outcome;
    outcome.at.reserve(schedule.renames.size());
    for (const Rename &rename : schedule.renames)
        outcome.at << rename.from;
    for (const ChangeSchedule::Step &step : schedule.steps) {
        if (step.kind == ChangeSchedule::MakeFolder) {
            outcome.foldersMade += host.MakeFolder(schedule.folders.value(step.index));
            continue;
        }
        const Rename &rename = schedule.renames[step.index];
        const QString &temporary = schedule.temporaries[step.index];
        QString &at = outcome.at[step.index];
        switch (step.kind) {
        case ChangeSchedule::Direct:
            if (host.RenameFile(rename.from, rename.to))
                at = rename.to;
            break;
        case ChangeSchedule::Park:
            if (!temporary.isEmpty() && host.RenameFile(rename.from, temporary))
                at = temporary;
            break;
        case ChangeSchedule::Place:
            if (at == temporary)
                at = host.RenameFile(temporary, rename.to) ? rename.to
                                                           : putBack(host, temporary, rename.from);
            break;
        case ChangeSchedule::Move:
            if (at != rename.to && host.MoveFile(rename.from, rename.to))
                at = rename.to;
            break;
        case ChangeSchedule::Trash:
            if (host.MoveFile(rename.from, rename.to))
                at = rename.to;
            else
                host.ReleaseTrash(rename.to);
            break;
        case ChangeSchedule::MakeFolder:
            break;
        }
    }
    return outcome;
}

bool changedAnything(const ChangeOutcome &outcome, const ChangeSchedule &schedule)
{
    if (outcome.foldersMade > 0)
        return true;
    for (qsizetype i = 0; i < outcome.at.size(); ++i)
        if (outcome.at[i] != schedule.renames[i].from)
            return true;
    return false;
}

} // namespace

ChangeOutcome applyChange(Host &host, ChangeJournal &journal, StoredChange &change,
                          ChangeRecord::List which, const ChangeSchedule &schedule)
{
    const bool undo = which == ChangeRecord::List::Undo;
    QList<RecordedRename> &files = change.record.list(which);
    files.clear();
    files.reserve(schedule.renames.size());
    for (qsizetype i = 0; i < schedule.renames.size(); ++i)
        files.append({schedule.renames[i].from, schedule.renames[i].to, schedule.temporaries[i], {}});
    change.record.state = undo ? ChangeRecord::State::Undoing : ChangeRecord::State::Running;
    QString unrecorded;
    const bool recorded = journal.save(change, unrecorded);

    ChangeOutcome outcome = perform(host, schedule);
    outcome.unrecorded = unrecorded;
    for (qsizetype i = 0; i < files.size(); ++i)
        files[i].at = outcome.at[i];
    change.record.state = undo ? ChangeRecord::State::Undone : ChangeRecord::State::Finished;
    if (recorded && !undo && !changedAnything(outcome, schedule))
        journal.remove(change);
    else if (recorded)
        journal.complete(change, which);
    return outcome;
}

QString cannotUndoMessage(const QString &why)
{
    return QStringLiteral("This change cannot be undone: its record could not be written (%1).")
        .arg(why);
}
