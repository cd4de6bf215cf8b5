// SPDX-License-Identifier: GPL-3.0-or-later
// change-runner FOLDER FROM TO [FROM TO ...]
//
// Renames the files of FOLDER as MAKE CHANGES does, through the program's own
// engine and change record (in $XDG_STATE_HOME), so that a test can stop it
// in the middle (see killshim.c) and mend what it left.

#include "core/changes/ChangeEngine.h"
#include "core/changes/ChangeJournal.h"
#include "core/host/LocalFileSystem.h"
#include "core/renamer/RenamerChange.h"

#include <QCoreApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() < 3 || arguments.size() % 2 == 0)
        return 2;
    const QString folder = arguments.first();
    RenamePlan plan;
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2)
        plan.renames.append({QDir(folder).filePath(arguments[i]), QDir(folder).filePath(arguments[i + 1])});
    LocalFileSystem fileSystem(ChangeJournal::defaultFolder());
    return applyChange(fileSystem, renamerChange(ChangeAction::MakeChanges, folder, plan)).failures.isEmpty()
               ? 0
               : 1;
}
