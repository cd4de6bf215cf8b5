// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
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

// A name's place in row order, worked out once: a folder is listed anew after
// every rename, and sorting thousands of names compares each many times.
class RowKey {
public:
    RowKey() = default;
    explicit RowKey(const QString &name);
    // The same order as rowLess on the names.
    bool operator<(const RowKey &other) const;

private:
    // The folded name as big-endian UTF-16 bytes: compared byte by byte, they
    // order as the characters do.
    QByteArray m_folded;
    QString m_name;
};

// Sorts names in row order.
void sortInRowOrder(QStringList &names);
