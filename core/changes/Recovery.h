#pragma once

#include <QString>

class Host;

// Mends what a run of the program that was stopped in the middle of a change
// left behind, when this run is the only one: every file of the change that
// stands under a temporary name goes where the change meant it to go, or
// back to its old name when that is taken now; everything else stays as it
// is, and the change is marked finished (so that it can still be undone) or,
// when the undo of a change was stopped, undone. Records that cannot be read
// are set aside. Returns one message that says what was mended and set
// aside; empty when there was nothing.
QString recoverInterruptedChanges(Host &host);
