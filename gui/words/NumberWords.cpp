#include "gui/words/NumberWords.h"

#include <QLocale>

QString numberText(qsizetype number)
{
    return QLocale(QLocale::English).toString(number);
}

QString countText(qsizetype number, const QString &one, const QString &many)
{
    return numberText(number) + u' ' + (number == 1 ? one : many);
}
