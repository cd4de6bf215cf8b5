#include "app/RowOrder.h"

#include <algorithm>
#include <vector>

namespace {

// The name with its letter case folded: ASCII letters directly, others
// through Qt's case tables (QString::toCaseFolded is several times slower on
// the long plain names of a video collection).
QString folded(const QString &name)
{
    QString folded = name;
    for (QChar &c : folded) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            if (u >= 'A' && u <= 'Z')
                c = QChar(u + ('a' - 'A'));
        } else if (!c.isSurrogate()) {
            c = c.toCaseFolded();
        }
    }
    return folded;
}

} // namespace

RowKey::RowKey(const QString &name) : m_folded(folded(name)), m_name(name)
{
    for (qsizetype i = 0; i < 4; ++i)
        m_start = m_start << 16 | (i < m_folded.size() ? m_folded[i].unicode() : 0);
}

bool RowKey::operator<(const RowKey &other) const
{
    if (m_start != other.m_start)
        return m_start < other.m_start;
    const int order = QString::compare(m_folded, other.m_folded, Qt::CaseSensitive);
    return order != 0 ? order < 0 : m_name < other.m_name;
}

void sortInRowOrder(QStringList &names)
{
    std::vector<RowKey> keys;
    keys.reserve(names.size());
    for (const QString &name : names)
        keys.emplace_back(name);
    std::vector<qsizetype> order(names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) { return keys[a] < keys[b]; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const qsizetype i : order)
        sorted << names.at(i);
    names = std::move(sorted);
}
