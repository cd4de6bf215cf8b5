#include "core/renamer/RenamerChange.h"

#include "core/changes/RenamePlan.h"
#include "core/renamer/ReleasePlanner.h"

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

ChangePlan releaseChange(const QString &what, const ReleasePlan &plan)
{
    ChangePlan change;
    change.tool = ChangeRecord::Tool::Renamer;
    change.what = what;
    change.folders = plan.folders;
    change.madeFolders = plan.madeFolders;
    change.caseBlind = plan.renames.caseBlind;
    const ChangeSchedule renames = scheduleRenames(plan.renames);
    change.schedule.folders = plan.madeFolders;
    for (int i = 0; i < plan.madeFolders.size(); ++i)
        change.schedule.steps.append({ChangeSchedule::MakeFolder, i});
    change.schedule.renames = renames.renames;
    change.schedule.temporaries = renames.temporaries;
    change.schedule.steps += renames.steps;
    return change;
}
