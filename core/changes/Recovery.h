#pragma once

#include <QString>

class FileSystem;
struct ChangeRecord;

// Mends every open change of the record: one that a run of the program did
// not bring to its end (it was stopped, or its record could not be
// completed), and one that left a file under a temporary name (its volume
// failed or went away). Every file of such a change that stands under a
// temporary name goes where the change meant it to go, or back to its old
// name when that is taken now, through the change engine; everything else
// stays as it is. A change with no file left off its names is finished (so
// that it can still be undone) or, when its undo was under way, undone.
// A change waits, untouched, while one of its folders is away (missing, or
// another folder at its path: an empty mount point, another card), cannot
// be read, or while one of its files stands at none of its old, new and
// temporary names; one that another run of the program works on is left to
// it. Records that cannot be read now are tried again later; those whose
// content is wrong are set aside. Returns one message of at most ten parts
// that says what was mended, what was set aside, and what waits: each
// waiting change once (unless quietAboutWaiting, which tells none), not at
// every start; empty when there was nothing to say.
QString recoverOpenChanges(FileSystem &fileSystem, bool quietAboutWaiting = false);

// Why an open change must wait before it can be mended or passed: a
// sentence naming what it waits for; empty when it need not wait.
QString whyChangeWaits(FileSystem &fileSystem, const ChangeRecord &record);
