// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/words/DropWords.h"

#include "gui/words/NumberWords.h"

#include <QStringList>

QString DropWords::leftOut(qsizetype notFiles, qsizetype beyondRoom, qsizetype maxRows)
{
    QStringList told;
    if (notFiles > 0)
        told << tr("%Ln dropped items left out: only existing files can be listed.", nullptr, int(notFiles));
    if (beyondRoom > 0)
        told << tr("%Ln dropped files left out: the list holds at most %1 rows.", nullptr, int(beyondRoom))
                    .arg(numberText(maxRows));
    return told.join(u' ');
}

QString DropWords::nothingToPaste()
{
    return tr("The clipboard holds no files. Copy them in a file manager first, then press Ctrl+V here.");
}
