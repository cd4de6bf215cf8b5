#pragma once

#include "core/changes/ChangeJournal.h"

#include <QString>

class Host;

// Undoes a finished change: every file it moved goes back where it was, all
// in one planned apply (each file renamed once, nothing replaced), and the
// folders it made go when they are empty again. A file that is no longer
// where the change put it, or whose old name is taken now, stays where it
// is; nothing is deleted. The undo is recorded in the change, which ends
// undone. Returns the message for the user: how many names were put back,
// and each one that could not be, with the reason.
QString undoChange(Host &host, ChangeJournal &journal, StoredChange &change);
