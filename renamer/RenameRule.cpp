#include "renamer/RenameRule.h"

bool RenameToIsAllowed(const QString &to)
{
    static const QString forbidden = QStringLiteral("\"<>:/\\|?*");
    for (const QChar c : to)
        if (forbidden.contains(c))
            return false;
    return true;
}

namespace {

bool isAscii(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

bool NameMatches(const QString &name, const QString &from)
{
    if (name.isEmpty())
        return false;
    // The clean-up batch asks this of every listed name at every step. For
    // ASCII texts a case-blind search finds exactly what the upper-case
    // comparison finds, without making two upper-case copies.
    if (isAscii(name) && isAscii(from))
        return name.contains(from, Qt::CaseInsensitive);
    return name.toUpper().contains(from.toUpper(), Qt::CaseSensitive);
}

QString RenamedName(const QString &name, const QString &from, const QString &to)
{
    QString renamed = name.toUpper();
    if (from.isEmpty())
        return renamed;
    // QString::replace goes on behind each inserted text, so occurrences
    // never overlap and the TO text is never searched.
    return renamed.replace(from.toUpper(), to.toUpper(), Qt::CaseSensitive);
}

QStringList previewRows(const QStringList &entries, const QString &from, const QString &to)
{
    QStringList rows;
    for (const QString &entry : entries)
        if (NameMatches(entry, from))
            rows << RenamedName(entry, from, to);
    return rows;
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
