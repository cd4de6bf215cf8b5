// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/Undo.h"
#include "gui/words/ChangeWords.h"

// What the user is told of the core's reports, as the windows word them.

inline QString recovered(FileSystem &fileSystem, bool quietAboutWaiting = false)
{
    return ChangeWords::recovery(recoverOpenChanges(fileSystem, quietAboutWaiting));
}

inline QString undoneLatest(FileSystem &fileSystem, ChangeRecord::Tool tool)
{
    return ChangeWords::undoneLatest(undoLatest(fileSystem, tool));
}

inline QString reported(const ChangeOutcome &outcome)
{
    return ChangeWords::report(outcome, ChangeWords::Noun::Names);
}
