// SPDX-License-Identifier: GPL-3.0-or-later
#include "KilledChange.h"

#include <QProcess>

bool killedChange(const QString &stateHome, const QString &folder, const QStringList &renames,
                  const QStringList &settings, QString *whyNot)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_STATE_HOME"), stateHome);
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(KILLSHIM_LIBRARY));
    for (const QString &setting : settings)
        environment.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    QProcess runner;
    runner.setProcessEnvironment(environment);
    runner.start(QStringLiteral(CHANGE_RUNNER), QStringList{folder} + renames);
    if (!runner.waitForFinished(30000))
        *whyNot = QStringLiteral("the change did not end: %1").arg(runner.errorString());
    else if (runner.exitStatus() != QProcess::CrashExit)
        *whyNot = QStringLiteral("the change was not stopped (it ended with %1)").arg(runner.exitCode());
    return whyNot->isEmpty();
}

QString stateFolderUnder(const QString &stateHome)
{
    return stateHome + QStringLiteral("/tamsells-file-utilities");
}
