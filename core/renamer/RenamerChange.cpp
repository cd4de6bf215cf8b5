#include "core/renamer/RenamerChange.h"

#include "core/changes/RenamePlan.h"

ChangeOutcome applyRenamerChange(FileSystem &fileSystem, const QString &what, const QString &folder,
                                 const RenamePlan &plan, WorkProgress *progress)
{
    if (plan.renames.isEmpty())
        return {};
    ChangePlan change;
    change.tool = ChangeRecord::Tool::Renamer;
    change.what = what;
    change.folders = {folder};
    change.caseBlind = plan.caseBlind;
    change.schedule = scheduleRenames(plan);
    return applyChange(fileSystem, change, progress);
}
