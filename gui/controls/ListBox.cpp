// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/ListBox.h"

#include "core/base/RowOrder.h"
#include "gui/controls/WarningLook.h"

#include <QAbstractListModel>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <algorithm>

class RowModel : public QAbstractListModel {
public:
    RowModel(ListBox *list)
        : QAbstractListModel(list)
        , look(new WarningLook(list))
    {
        connect(look, &WarningLook::changed, this, [this] {
            if (!rows.isEmpty())
                emit dataChanged(index(0), index(int(rows.size()) - 1), WarnedRoles);
        });
    }

    static inline const QList<int> WarnedRoles{Qt::ForegroundRole, Qt::DecorationRole, Qt::ToolTipRole,
                                               Qt::AccessibleDescriptionRole};

    QStringList rows;
    // Warnings of rows, by row; rows past its end have none.
    QStringList warnings;
    WarningLook *look;

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(rows.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= rows.size())
            return {};
        const QVariant warned = look->data(role, warnings.value(index.row()));
        if (warned.isValid())
            return warned;
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return rows.at(index.row());
        return {};
    }

    void replaceAll(QStringList newRows)
    {
        beginResetModel();
        rows = std::move(newRows);
        warnings.clear();
        endResetModel();
    }

    void append(const QStringList &newRows)
    {
        beginInsertRows({}, int(rows.size()), int(rows.size() + newRows.size() - 1));
        rows.append(newRows);
        endInsertRows();
    }

    void setWarning(int row, const QString &warning)
    {
        if (warnings.size() <= row)
            warnings.resize(row + 1);
        warnings[row] = warning;
        emit dataChanged(index(row), index(row), WarnedRoles);
    }
};

ListBox::ListBox(bool sorted, QWidget *parent)
    : QListView(parent)
    , m_model(new RowModel(this))
    , m_sorted(sorted)
{
    setModel(m_model);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int ListBox::count() const
{
    return int(m_model->rows.size());
}

QString ListBox::item(int row) const
{
    return row >= 0 && row < m_model->rows.size() ? m_model->rows.at(row) : QString();
}

const QStringList &ListBox::items() const
{
    return m_model->rows;
}

int ListBox::addItems(const QStringList &rows)
{
    const int room = MaxRows - count();
    const int added = std::min<int>(room, int(rows.size()));
    if (added <= 0)
        return 0;
    QStringList incoming = rows.mid(0, added);
    if (!m_sorted) {
        m_model->append(incoming);
        return added;
    }
    // Sort the newcomers once, then merge them into place.
    std::stable_sort(incoming.begin(), incoming.end(), rowLess);
    QStringList merged;
    merged.reserve(count() + added);
    std::merge(m_model->rows.cbegin(), m_model->rows.cend(), incoming.cbegin(), incoming.cend(),
               std::back_inserter(merged), rowLess);
    m_model->replaceAll(std::move(merged));
    return added;
}

void ListBox::clear()
{
    m_model->replaceAll({});
}

void ListBox::setItems(const QStringList &rows)
{
    QStringList kept = rows.mid(0, MaxRows);
    if (m_sorted)
        std::stable_sort(kept.begin(), kept.end(), rowLess);
    m_model->replaceAll(std::move(kept));
}

void ListBox::setRowWarning(int row, const QString &note)
{
    if (row < 0 || row >= count() || note == rowWarning(row))
        return;
    m_model->setWarning(row, note);
}

QString ListBox::rowWarning(int row) const
{
    return m_model->warnings.value(row);
}

void ListBox::setAcceptsFileDrops(bool accepts)
{
    setAcceptDrops(accepts);
    setDropIndicatorShown(false);
    setDragDropMode(accepts ? QAbstractItemView::DropOnly : QAbstractItemView::NoDragDrop);
}

void ListBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (acceptDrops() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void ListBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (acceptDrops() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void ListBox::dropEvent(QDropEvent *event)
{
    if (!acceptDrops() || !event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(event->mimeData()->urls());
}
