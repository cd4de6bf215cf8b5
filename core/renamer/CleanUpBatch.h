// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/renamer/RenamePlanner.h"

#include <QStringList>
#include <functional>

// The clean-up batch worked out on a planner: the 54 steps of the pass
// table, each a press of MAKE CHANGES over the file list as it stands, the
// first over entries (the file list's rows when the batch starts). The year
// step previews each year from 1950 to 2012 and presses only for the years
// that a listed name holds. Returns the rows of the last year's preview.
// When stopped says so between two steps, the planning ends there, unfinished.
QStringList planCleanUpBatch(RenamePlanner &planner, const QStringList &entries,
                             const std::function<bool()> &stopped = {});
