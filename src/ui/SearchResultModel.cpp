#include "ui/SearchResultModel.h"

#include <limits>

namespace kobrix {

SearchResultModel::SearchResultModel(const LineStore &lines, QObject *parent)
    : QAbstractListModel(parent), m_lines(lines)
{
}

int SearchResultModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return int(std::min<qsizetype>(count(), std::numeric_limits<int>::max()));
}

QVariant SearchResultModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return QVariant();
    return lineAt(index.row());
}

void SearchResultModel::clear()
{
    if (m_positions.empty())
        return;
    beginResetModel();
    m_positions.clear();
    m_positions.shrink_to_fit();
    endResetModel();
}

void SearchResultModel::append(const std::vector<qsizetype> &positions)
{
    // Rows beyond what an int can address are not shown; a line store that
    // large does not fit in memory in practice.
    const qsizetype room = std::numeric_limits<int>::max() - count();
    const qsizetype added = std::min<qsizetype>(qsizetype(positions.size()), room);
    if (added <= 0)
        return;
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + int(added) - 1);
    m_positions.insert(m_positions.end(), positions.begin(), positions.begin() + added);
    endInsertRows();
}

QString SearchResultModel::lineAt(qsizetype row) const
{
    const qsizetype position = m_positions[std::size_t(row)];
    if (position < 0 || position >= m_lines.count())
        return QString();
    return m_lines.at(position);
}

} // namespace kobrix
