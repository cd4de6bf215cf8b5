#pragma once

#include <QString>

class Host;

// Mends every open change of the record: one that a run of the program did
// not bring to its end (it was stopped, or its record could not be
// completed), and one that left a file under a temporary name (its volume
// failed or went away). Every file of such a change that stands under a
// temporary name goes where the change meant it to go, or back to its old
// name when that is taken now; everything else stays as it is. A change with
// no file left off its names is finished (so that it can still be undone) or,
// when its undo was under way, undone; one whose folder cannot be read now
// waits for a later call, and one that another run of the program works on is
// left to it. Records that cannot be read are set aside. Returns one message
// of at most ten parts that says what was mended, what waits (unless
// quietAboutWaiting) and what was set aside; empty when there was nothing.
QString recoverOpenChanges(Host &host, bool quietAboutWaiting = false);
