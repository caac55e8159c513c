#include "ui/discs/LineGroupsModel.h"

#include <QLocale>

#include <algorithm>
#include <limits>

namespace kobrix {

LineGroupsModel::LineGroupsModel(std::function<QString(qsizetype line)> lineText, QObject *parent)
    : QAbstractItemModel(parent)
    , m_lineText(std::move(lineText))
{}

void LineGroupsModel::setGroups(std::vector<Group> groups)
{
    beginResetModel();
    m_groups = std::move(groups);
    m_fetched.assign(m_groups.size(), 0);
    for (std::size_t group = 0; group < m_groups.size(); ++group)
        m_fetched[group] = std::min(groupLines(int(group)), m_batch);
    endResetModel();
}

void LineGroupsModel::setHeaders(const QString &text, const QString &count)
{
    m_textHeader = text;
    m_countHeader = count;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void LineGroupsModel::setIcons(const QIcon &group, const QIcon &line)
{
    m_groupIcon = group;
    m_lineIcon = line;
}

int LineGroupsModel::groupLines(int group) const
{
    return int(std::min<std::size_t>(m_groups[std::size_t(group)].lines.size(),
                                     std::size_t(std::numeric_limits<int>::max())));
}

qsizetype LineGroupsModel::totalLines() const
{
    qsizetype total = 0;
    for (const Group &group : m_groups)
        total += qsizetype(group.lines.size());
    return total;
}

int LineGroupsModel::groupAt(const QModelIndex &index) const
{
    return index.isValid() && index.internalId() == kGroupRow ? index.row() : -1;
}

qsizetype LineGroupsModel::lineAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.internalId() == kGroupRow)
        return -1;
    return m_groups[std::size_t(index.internalId() - 1)].lines[std::size_t(index.row())];
}

QModelIndex LineGroupsModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount)
        return QModelIndex();
    if (!parent.isValid())
        return std::size_t(row) < m_groups.size() ? createIndex(row, column, kGroupRow)
                                                  : QModelIndex();
    const int group = groupAt(parent);
    if (group < 0 || row >= m_fetched[std::size_t(group)])
        return QModelIndex();
    return createIndex(row, column, quintptr(group) + 1);
}

QModelIndex LineGroupsModel::parent(const QModelIndex &index) const
{
    if (!index.isValid() || index.internalId() == kGroupRow)
        return QModelIndex();
    return createIndex(int(index.internalId() - 1), 0, kGroupRow);
}

int LineGroupsModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_groups.size());
    const int group = groupAt(parent);
    return group >= 0 && parent.column() == 0 ? m_fetched[std::size_t(group)] : 0;
}

int LineGroupsModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

bool LineGroupsModel::hasChildren(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return !m_groups.empty();
    const int group = groupAt(parent);
    return group >= 0 && parent.column() == 0 && groupLines(group) > 0;
}

bool LineGroupsModel::hasMoreRows(const QModelIndex &parent) const
{
    const int group = groupAt(parent);
    return group >= 0 && parent.column() == 0 && m_fetched[std::size_t(group)] < groupLines(group);
}

void LineGroupsModel::fetchMoreRows(const QModelIndex &parent)
{
    if (!hasMoreRows(parent))
        return;
    const int group = groupAt(parent);
    const int have = m_fetched[std::size_t(group)];
    const int want = int(std::min<qint64>(qint64(have) + m_batch, groupLines(group)));
    beginInsertRows(parent.siblingAtColumn(0), have, want - 1);
    m_fetched[std::size_t(group)] = want;
    endInsertRows();
}

QVariant LineGroupsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int group = groupAt(index);
    if (role == Qt::DisplayRole) {
        if (group >= 0) {
            if (index.column() == TextColumn)
                return m_groups[std::size_t(group)].label;
            return QLocale().toString(qsizetype(m_groups[std::size_t(group)].lines.size()));
        }
        return index.column() == TextColumn ? m_lineText(lineAt(index)) : QVariant();
    }
    if (role == Qt::DecorationRole && index.column() == TextColumn)
        return group >= 0 ? m_groupIcon : m_lineIcon;
    if (role == Qt::TextAlignmentRole && index.column() == CountColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QVariant LineGroupsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    // Counts stand right, under a heading that does too.
    if (role == Qt::TextAlignmentRole && section == CountColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    return section == TextColumn ? m_textHeader : m_countHeader;
}

} // namespace kobrix
