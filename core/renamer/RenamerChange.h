#pragma once

#include "core/changes/ChangeEngine.h"

class FileSystem;
struct RenamePlan;

// One change of the renamer's ("MAKE CHANGES", "the clean-up batch", "the
// upper-case walk"): the plan's renames in folder, recorded, applied and
// completed by applyChange, with progress where given. A plan without
// renames changes nothing and leaves no record.
ChangeOutcome applyRenamerChange(FileSystem &fileSystem, const QString &what, const QString &folder,
                                 const RenamePlan &plan, WorkProgress *progress = nullptr);
