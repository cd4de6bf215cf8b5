#pragma once

#include <QString>

// The order of the sorted lists and of folder listings: letter case ignored,
// and names that differ only in case ordered exactly, so that identical rows
// always stand next to each other.
inline bool rowLess(const QString &a, const QString &b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}
