// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/RowOrder.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Writes the name with its letter case folded, as big-endian UTF-16 bytes,
// which compared byte by byte order as the characters do. ASCII letters are
// folded directly, others through Qt's case tables (QString::toCaseFolded is
// several times slower on the long plain names of a video collection).
void writeFolded(const QString &name, char *out)
{
    for (const QChar c : name) {
        char16_t u = c.unicode();
        if (u < 0x80) {
            if (u >= 'A' && u <= 'Z')
                u += 'a' - 'A';
        } else if (!c.isSurrogate()) {
            u = c.toCaseFolded().unicode();
        }
        *out++ = char(u >> 8);
        *out++ = char(u);
    }
}

// Row order of two folded names, then of the names themselves.
bool foldedLess(const char *a, qsizetype aSize, const char *b, qsizetype bSize, const QString &aName,
                const QString &bName)
{
    const int order = std::memcmp(a, b, std::min(aSize, bSize));
    if (order != 0)
        return order < 0;
    if (aSize != bSize)
        return aSize < bSize;
    return aName < bName;
}

} // namespace

RowKey::RowKey(const QString &name)
    : m_folded(2 * name.size(), Qt::Uninitialized)
    , m_name(name)
{
    writeFolded(name, m_folded.data());
}

bool RowKey::operator<(const RowKey &other) const
{
    return foldedLess(m_folded.constData(), m_folded.size(), other.m_folded.constData(),
                      other.m_folded.size(), m_name, other.m_name);
}

void sortInRowOrder(QStringList &names)
{
    // Every folded name in one buffer: a folder of many names is sorted
    // without a key of its own for each.
    qsizetype total = 0;
    for (const QString &name : names)
        total += 2 * name.size();
    std::vector<char> folded(total);
    std::vector<std::pair<qsizetype, qsizetype>> spans; // start, length in bytes
    spans.reserve(names.size());
    qsizetype at = 0;
    for (const QString &name : names) {
        writeFolded(name, folded.data() + at);
        spans.emplace_back(at, 2 * name.size());
        at += 2 * name.size();
    }
    std::vector<qsizetype> order(names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return foldedLess(folded.data() + spans[a].first, spans[a].second, folded.data() + spans[b].first,
                          spans[b].second, names.at(a), names.at(b));
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const qsizetype i : order)
        sorted << names.at(i);
    names = std::move(sorted);
}
