#include "core/base/CountedName.h"

QString countedName(const QString &name, int counter)
{
    return name + u'.' + QString::number(counter);
}
