// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/NameKey.h"

QString nameKey(const QString &name, bool caseBlind)
{
    if (!caseBlind)
        return name;
    // Case-blind volumes compare letters one by one, as their upper-case
    // forms: a letter whose upper case is two letters stays as it is.
    QString key = name;
    for (QChar &c : key) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            if (u >= 'a' && u <= 'z')
                c = QChar(u - ('a' - 'A'));
        } else if (!c.isSurrogate()) {
            c = c.toUpper();
        }
    }
    return key;
}
