#include "ui/discs/SearchResultModel.h"

#include <algorithm>
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
    if (m_count == 0)
        return;
    beginResetModel();
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_count = 0;
    endResetModel();
}

std::vector<qsizetype> SearchResultModel::positions() const
{
    std::vector<qsizetype> all;
    all.reserve(std::size_t(m_count));
    for (qsizetype row = 0; row < m_count; ++row)
        all.push_back(positionAt(row));
    return all;
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
    for (qsizetype i = 0; i < added;) {
        const qsizetype inBlock = m_count & (kBlockSize - 1);
        if (inBlock == 0)
            m_blocks.push_back(std::make_unique_for_overwrite<qsizetype[]>(std::size_t(kBlockSize)));
        const qsizetype n = std::min(added - i, kBlockSize - inBlock);
        std::copy(positions.begin() + i, positions.begin() + i + n, m_blocks.back().get() + inBlock);
        m_count += n;
        i += n;
    }
    endInsertRows();
}

QString SearchResultModel::lineAt(qsizetype row) const
{
    const qsizetype position = positionAt(row);
    if (position < 0 || position >= m_lines.count())
        return QString();
    return m_lines.at(position);
}

} // namespace kobrix
