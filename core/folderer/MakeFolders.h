// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/WorkProgress.h"
#include "core/changes/ChangeEngine.h"

#include <QString>
#include <QStringList>

class FileSystem;

// M&akeFolders: makes the planned folders and moves every file into the
// folder planned for it (targetPath), in two passes, so that a move whose
// folder comes later in the first pass succeeds in the second. Whatever fails
// is skipped without a word (the outcome names no failure). The change is
// recorded before the first folder is made, so that Ctrl+Z can undo it; a
// stop asked for through progress ends it between two moves.
ChangeOutcome makeFolders(FileSystem &fileSystem, const QStringList &files, const QStringList &folders,
                          WorkProgress *progress = nullptr);
