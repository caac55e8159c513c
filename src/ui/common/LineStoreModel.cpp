#include "ui/common/LineStoreModel.h"

#include <limits>

namespace kobrix {

namespace {

// Rows a Qt model can address.
int rowsOf(const LineStore &store)
{
    return int(std::min<qsizetype>(store.count(), std::numeric_limits<int>::max()));
}

} // namespace

LineStoreModel::LineStoreModel(const LineStore &store, QObject *parent)
    : QAbstractListModel(parent), m_store(store), m_rows(rowsOf(store))
{
}

int LineStoreModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant LineStoreModel::data(const QModelIndex &index, int role) const
{
    // The store may have been emptied since the last sync().
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_store.count())
        return QVariant();
    return m_store.at(index.row());
}

void LineStoreModel::sync()
{
    const int rows = rowsOf(m_store);
    if (rows == m_rows)
        return;
    if (rows < m_rows) {
        reset();
        return;
    }
    beginInsertRows(QModelIndex(), m_rows, rows - 1);
    m_rows = rows;
    endInsertRows();
}

void LineStoreModel::reset()
{
    beginResetModel();
    m_rows = rowsOf(m_store);
    endResetModel();
}

} // namespace kobrix
