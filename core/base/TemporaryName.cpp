// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/TemporaryName.h"

QString temporaryName(int number)
{
    return TemporaryNamePrefix + QString::number(number);
}

bool isTemporaryName(const QString &name)
{
    if (!name.startsWith(TemporaryNamePrefix))
        return false;
    const QStringView number = QStringView(name).mid(TemporaryNamePrefix.size());
    bool ok = false;
    const int value = number.toInt(&ok);
    return ok && value >= 1 && value <= LastTemporaryNumber && number == QString::number(value);
}

int temporaryNumber(double u)
{
    return int(LastTemporaryNumber * u + 1);
}

QString freeTemporaryName(const std::function<bool(const QString &name)> &taken,
                          const std::function<double()> &draw)
{
    if (draw) {
        for (int tries = 0; tries < LastTemporaryNumber; ++tries) {
            const QString name = temporaryName(temporaryNumber(draw()));
            if (!taken(name))
                return name;
        }
    }
    for (int number = 1; number <= LastTemporaryNumber; ++number) {
        const QString name = temporaryName(number);
        if (!taken(name))
            return name;
    }
    return {};
}
