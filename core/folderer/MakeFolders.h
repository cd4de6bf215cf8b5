#pragma once

#include "core/base/WorkProgress.h"

#include <QString>
#include <QStringList>

class FileSystem;

// M&akeFolders: makes the planned folders and moves every file into the
// folder planned for it (targetPath), in two passes, so that a move whose
// folder comes later in the first pass succeeds in the second. Whatever fails
// is skipped without a word. The change is recorded before the first folder
// is made, so that Ctrl+Z can undo it; returns what the user must be told:
// that it was stopped (through progress) and how far it got, or that it
// cannot be undone; empty when it went as planned.
QString makeFolders(FileSystem &fileSystem, const QStringList &files, const QStringList &folders,
                    WorkProgress *progress = nullptr);
