// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/RowOrder.h"

#include <QListView>
#include <QStringList>
#include <QUrl>

class RowModel;

// A list of text rows, counted from 0, holding at most MaxRows rows. A sorted
// list keeps its rows in row order (RowOrder.h) and places each new row;
// a list that is not sorted keeps the order of adding. Rows live in a model,
// so that adding many rows at once costs O(n log n).
class ListBox : public QListView {
    Q_OBJECT
public:
    static constexpr int MaxRows = MaxListRows;

    explicit ListBox(bool sorted, QWidget *parent = nullptr);

    int count() const;
    // Row i's text; the empty text for an index outside the list.
    QString item(int row) const;
    const QStringList &items() const;

    // Adds rows while there is room; returns how many were added.
    int addItems(const QStringList &rows);
    void clear();
    // Replaces every row (cut at MaxRows), keeping the list's order rule.
    void setItems(const QStringList &rows);

    // Marks a row with a warning (WarningLook.h): its colour and icon, and
    // the note as its tooltip; an empty note draws it as usual again.
    void setRowWarning(int row, const QString &note);
    QString rowWarning(int row) const;

    // Whether files dragged from the file manager may be dropped here.
    void setAcceptsFileDrops(bool accepts);

signals:
    // Files were dropped: their URLs, in the order that the drop delivers them.
    void filesDropped(const QList<QUrl> &urls);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    RowModel *m_model;
    bool m_sorted;
};
