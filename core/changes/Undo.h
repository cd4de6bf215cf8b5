#pragma once

#include "core/base/WorkProgress.h"
#include "core/changes/ChangeJournal.h"

#include <QString>

class FileSystem;

// Undoes a finished change: every file it moved goes back where it was, all
// in one recorded apply (each file renamed once, nothing replaced), and the
// folders it made go when they are empty again. Only the change's own files
// move: a file that is no longer where the change put it, another file that
// has taken its name since, and a file whose old name is taken now stay
// where they are; nothing is deleted. The change ends undone, or finished
// again where renames failed, so that Ctrl+Z can try them once more.
// Returns the message for the user: how many names were put back, and each
// one that could not be, with the reason; or, when the change's folders
// cannot be read now, that nothing was put back.
QString undoChange(FileSystem &fileSystem, ChangeJournal &journal, StoredChange &change,
                   WorkProgress *progress = nullptr);

// Ctrl+Z: mends the open changes first, then undoes the newest finished
// change of the tool, whichever folder and run of the program it was made
// in. A newer change whose folders cannot be read now (its drive taken away)
// is passed over for the one before it, and the message says so. A stop
// asked for through progress ends the undo between two renames.
QString undoLatest(FileSystem &fileSystem, ChangeRecord::Tool tool, WorkProgress *progress = nullptr);
