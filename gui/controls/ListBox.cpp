#include "gui/controls/ListBox.h"

#include "core/base/RowOrder.h"

#include <QAbstractListModel>
#include <QColor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <algorithm>

class RowModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    QStringList rows;
    // Warnings of rows, by row; rows past its end have none.
    QStringList warnings;

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(rows.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= rows.size())
            return {};
        const QString warning = warnings.value(index.row());
        if (role == Qt::DisplayRole)
            return rows.at(index.row());
        if (role == Qt::ToolTipRole)
            return warning.isEmpty() ? rows.at(index.row()) : warning;
        if (role == Qt::ForegroundRole && !warning.isEmpty())
            return QColor(0xb0, 0x20, 0x00);
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
        emit dataChanged(index(row), index(row), {Qt::ForegroundRole, Qt::ToolTipRole});
    }

    void remove(int row)
    {
        beginRemoveRows({}, row, row);
        rows.removeAt(row);
        if (row < warnings.size())
            warnings.removeAt(row);
        endRemoveRows();
    }
};

ListBox::ListBox(bool sorted, QWidget *parent)
    : QListView(parent), m_model(new RowModel(this)), m_sorted(sorted)
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

void ListBox::removeItem(int row)
{
    if (row < 0 || row >= count())
        return;
    m_model->remove(row);
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
