// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/words/StartWords.h"

QString StartWords::secondFolder(const QString &name)
{
    return tr("%1: only one folder opens at a time").arg(name);
}

QString StartWords::notAFolder(const QString &name)
{
    return tr("%1: it is not a folder").arg(name);
}

QString StartWords::notOpened(const QStringList &why)
{
    return tr("The program opens only a folder given to it, in the renamer. Not opened:\n") + why.join(u'\n');
}
