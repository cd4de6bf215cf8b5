#pragma once

#include <QString>
#include <QStringList>

// The most rows a list holds: rows are numbered with 16-bit integers.
constexpr int MaxListRows = 32767;

// The order of the sorted lists and of folder listings: letter case ignored,
// and names that differ only in case ordered exactly, so that identical rows
// always stand next to each other.
inline bool rowLess(const QString &a, const QString &b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

// A name with its letter case folded: comparing two keys exactly, then the
// names themselves on a tie, gives row order.
QString rowKey(const QString &name);

// Sorts names in row order, folding each name once rather than at every
// comparison: a folder is listed anew after every rename.
void sortInRowOrder(QStringList &names);
