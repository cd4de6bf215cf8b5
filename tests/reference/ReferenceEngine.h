// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Wildcard.h"
#include "core/renamer/UpperCaseWalk.h"

#include <QString>
#include <QStringList>

class FileSystem;

// The renamer as it first worked, step by step on disk, kept as the
// reference that the planned core must match name for name.

// MAKE CHANGES: every entry that holds FROM, in order, first to a free
// temporary name, then to its trimmed new name, or the first free of
// NAME.1 to NAME.19, or back to its old name. The random source is seeded
// with 1 at every call that has entries.
void referenceMakeChanges(FileSystem &fileSystem, const QString &folder, const QStringList &entries,
                          const QString &from, const QString &to);

// The clean-up batch: one MAKE CHANGES per step over the file list, which is
// read anew through filter after every call; the year step previews each
// year first. Returns the rows of the last year's preview.
QStringList referenceCleanUpBatch(FileSystem &fileSystem, const QString &folder, const QStringList &entries,
                                  const Wildcard &filter);

// The upper-case walk: each listed entry of the kind renamed in one step.
void referenceUpperCaseWalk(FileSystem &fileSystem, const QString &folder, WalkMode mode);
