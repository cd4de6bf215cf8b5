#include "core/renamer/RenamerChange.h"

#include "core/changes/RenamePlan.h"

ChangePlan renamerChange(const QString &what, const QString &folder, const RenamePlan &plan)
{
    ChangePlan change;
    change.tool = ChangeRecord::Tool::Renamer;
    change.what = what;
    change.folders = {folder};
    change.caseBlind = plan.caseBlind;
    change.schedule = scheduleRenames(plan);
    return change;
}

