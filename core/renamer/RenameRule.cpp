// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/RenameRule.h"

bool renameToIsAllowed(const QString &to)
{
    static const QString forbidden = QStringLiteral("\"<>:/\\|?*");
    for (const QChar c : to)
        if (forbidden.contains(c))
            return false;
    return true;
}

namespace {

// One bit for each ASCII character (some share one) and one for all others.
// Upper-case names hold no lower-case letters, whose bits the others use.
quint64 sketchOf(const QString &upper)
{
    quint64 holds = 0;
    const ushort *const end = upper.utf16() + upper.size();
    for (const ushort *c = upper.utf16(); c != end; ++c)
        holds |= quint64(1) << (*c < 0x80 ? *c & 63 : 63);
    return holds;
}

} // namespace

QString upperCased(const QString &name)
{
    // ASCII names without Qt's case tables, and shared when they hold no
    // lower-case letter.
    const ushort *const begin = name.utf16();
    const ushort *const end = begin + name.size();
    const ushort *lower = end;
    for (const ushort *c = begin; c != end; ++c) {
        if (*c >= 0x80)
            return name.toUpper();
        if (*c >= u'a' && *c <= u'z' && lower == end)
            lower = c;
    }
    if (lower == end)
        return name;
    QString upper = name;
    QChar *out = upper.data();
    for (qsizetype i = lower - begin; i < upper.size(); ++i)
        if (out[i] >= u'a' && out[i] <= u'z')
            out[i] = QChar(out[i].unicode() - (u'a' - u'A'));
    return upper;
}

namespace {

// Where part first stands in text at or after start; -1 when nowhere. Names
// and FROM texts are short: a plain scan beats setting up a fast search.
qsizetype indexOfPart(const QString &text, const QString &part, qsizetype start)
{
    const ushort *const t = text.utf16();
    const ushort *const p = part.utf16();
    const qsizetype length = part.size();
    if (length == 0)
        return start <= text.size() ? start : -1;
    for (qsizetype at = start; at + length <= text.size(); ++at) {
        if (t[at] != p[0])
            continue;
        qsizetype i = 1;
        while (i < length && t[at + i] == p[i])
            ++i;
        if (i == length)
            return at;
    }
    return -1;
}

} // namespace

UpperName::UpperName(const QString &name)
    : m_upper(upperCased(name))
    , m_holds(sketchOf(m_upper))
{}

bool UpperName::matches(const UpperName &from) const
{
    return !m_upper.isEmpty() && (m_holds & from.m_holds) == from.m_holds
           && indexOfPart(m_upper, from.m_upper, 0) >= 0;
}

QString UpperName::renamed(const UpperName &from, const UpperName &to) const
{
    qsizetype at = from.m_upper.isEmpty() ? -1 : indexOfPart(m_upper, from.m_upper, 0);
    if (at < 0)
        return m_upper;
    // Each search goes on behind the replaced text, so occurrences never
    // overlap and the TO text is never searched.
    QString renamed;
    qsizetype done = 0;
    for (; at >= 0; at = indexOfPart(m_upper, from.m_upper, done)) {
        renamed.append(QStringView(m_upper).sliced(done, at - done)).append(to.m_upper);
        done = at + from.m_upper.size();
    }
    return renamed.append(QStringView(m_upper).sliced(done));
}

bool nameMatches(const QString &name, const QString &from)
{
    return UpperName(name).matches(UpperName(from));
}

QString renamedName(const QString &name, const QString &from, const QString &to)
{
    return UpperName(name).renamed(UpperName(from), UpperName(to));
}

QString trimBlanks(const QString &text)
{
    qsizetype first = 0, end = text.size();
    while (first < end && text.at(first) == u' ')
        ++first;
    while (end > first && text.at(end - 1) == u' ')
        --end;
    return text.mid(first, end - first);
}
