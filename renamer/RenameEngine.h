#pragma once

#include <QString>
#include <QStringList>

class Host;

// The name under which MAKE CHANGES parks a file between its old and its new
// name; a number from 1 to 9999 follows it.
inline const QString TemporaryNamePrefix = QStringLiteral("tamsel.ltmp.1z7.");

// MAKE CHANGES: renames every entry of folder that holds the FROM text (by
// NameMatches) to its trimmed RenamedName, in the order given, first to a
// free temporary name, then to the new name. When the new name is taken the
// file gets the first free of NAME.1 to NAME.19; when none is free, and when
// the new name is empty or would be hidden, it keeps its old name. Nothing is
// renamed when the TO text is refused by RenameToIsAllowed. Entries that are
// gone or cannot be renamed are skipped without a message. The random source
// is seeded with 1 at the start of every call that has work to do.
// No file is replaced, and none is left under a temporary name.
void makeChanges(Host &host, const QString &folder, const QStringList &entries,
                 const QString &from, const QString &to);
