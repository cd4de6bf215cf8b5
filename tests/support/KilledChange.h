// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Renames the files of folder ("from", "to", "from", "to", ...) as MAKE
// CHANGES does, recorded in the state folder under stateHome, in a process of
// its own that settings stop in the middle as a kill or a power cut would
// ("TAMSELLS_KILL_AFTER_LINKS=1": see killshim.c). True when it was stopped
// so; whyNot says why not.
bool killedChange(const QString &stateHome, const QString &folder, const QStringList &renames,
                  const QStringList &settings, QString *whyNot);

// The state folder that a change recorded under stateHome keeps its record in.
QString stateFolderUnder(const QString &stateHome);
