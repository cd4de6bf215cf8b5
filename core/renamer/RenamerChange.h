// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/ChangeEngine.h"

struct RenamePlan;

// One change of the renamer's (MAKE CHANGES, the clean-up batch, TITLES, the
// upper-case walk): the plan's renames in folder, for applyChange to record,
// apply and complete.
ChangePlan renamerChange(ChangeAction action, const QString &folder, const RenamePlan &plan);
