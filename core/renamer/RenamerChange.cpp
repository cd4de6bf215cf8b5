// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/RenamerChange.h"

#include "core/changes/RenamePlan.h"

ChangePlan renamerChange(ChangeAction action, const QString &folder, const RenamePlan &plan)
{
    ChangePlan change;
    change.action = action;
    change.folders = {folder};
    change.caseBlind = plan.caseBlind;
    change.schedule = scheduleRenames(plan);
    return change;
}
