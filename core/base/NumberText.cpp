#include "core/base/NumberText.h"

#include <QLocale>

QString numberText(qsizetype number)
{
    return QLocale(QLocale::English).toString(number);
}

QString countText(qsizetype number, const char *one, const char *many)
{
    return numberText(number) + u' ' + QLatin1String(number == 1 ? one : many);
}
