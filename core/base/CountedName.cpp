// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/CountedName.h"

QString countedName(const QString &name, int counter)
{
    return name + u'.' + QString::number(counter);
}
