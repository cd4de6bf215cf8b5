#include "core/renamer/RenamerChange.h"

#include "core/changes/RenamePlan.h"

ChangeOutcome applyRenamerChange(Host &host, const QString &what, const QString &folder,
                                 const RenamePlan &plan, WorkProgress *progress)
{
    if (plan.renames.isEmpty())
        return {};
    StoredChange change;
    change.record.tool = ChangeRecord::Tool::Renamer;
    change.record.what = what;
    change.record.folders = {folder};
    change.record.caseBlind = plan.caseBlind;
    ChangeJournal journal(host);
    return applyChange(host, journal, change, ChangeRecord::List::Renames,
                       scheduleRenames(plan, host), progress);
}
