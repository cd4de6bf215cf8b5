#pragma once

#include "core/changes/ChangeEngine.h"

struct RenamePlan;
struct ReleasePlan;

// One change of the renamer's ("MAKE CHANGES", "the clean-up batch",
// "TITLES", "the upper-case walk"): the plan's renames in folder, for
// applyChange to record, apply and complete.
ChangePlan renamerChange(const QString &what, const QString &folder, const RenamePlan &plan);

// TITLES or LIBRARY as one change: the folders made first, each before the
// folders and files it holds, then every file moved once.
ChangePlan releaseChange(const QString &what, const ReleasePlan &plan);
