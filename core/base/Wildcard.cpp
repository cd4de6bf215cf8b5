// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/Wildcard.h"

namespace {

bool sameLetter(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// Glob matching with one backtracking point: the most recent "*".
bool globMatches(QStringView pattern, QStringView name)
{
    qsizetype p = 0, n = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || sameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace

Wildcard::Wildcard(const QString &patterns)
{
    for (const QString &part : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (pattern.isEmpty())
            continue;
        if (pattern == u"*" || pattern == u"*.*")
            m_matchesAll = true;
        m_patterns << pattern;
    }
}

bool Wildcard::matches(const QString &name) const
{
    if (m_matchesAll)
        return true;
    for (const QString &pattern : m_patterns)
        if (globMatches(pattern, name))
            return true;
    return false;
}
