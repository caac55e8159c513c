#include "ui/discs/DuplicatesModel.h"

#include <QApplication>
#include <QLocale>
#include <QStyle>

#include <algorithm>
#include <limits>

namespace kobrix {

DuplicatesModel::DuplicatesModel(QObject *parent)
    : QAbstractItemModel(parent)
{
    m_fileIcon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    m_discIcon = QApplication::style()->standardIcon(QStyle::SP_DriveCDIcon);
}

void DuplicatesModel::setDuplicates(const DiscDuplicates *duplicates, const DiscIndex *index)
{
    beginResetModel();
    m_duplicates = duplicates;
    m_index = m_duplicates ? index : nullptr;
    m_fetched = std::min(entryCount(), m_batch);
    endResetModel();
}

int DuplicatesModel::entryCount() const
{
    if (!m_duplicates)
        return 0;
    return int(std::min<qsizetype>(m_duplicates->count(), std::numeric_limits<int>::max()));
}

qsizetype DuplicatesModel::entryAt(const QModelIndex &index) const
{
    if (!index.isValid())
        return -1;
    return index.internalId() == kEntryRow ? index.row() : qsizetype(index.internalId() - 1);
}

qsizetype DuplicatesModel::discAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.internalId() == kEntryRow)
        return -1;
    return m_duplicates->discs(entryAt(index))[std::size_t(index.row())];
}

QModelIndex DuplicatesModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!m_duplicates || row < 0 || column < 0 || column >= ColumnCount)
        return QModelIndex();
    if (!parent.isValid())
        return row < m_fetched ? createIndex(row, column, kEntryRow) : QModelIndex();
    if (parent.internalId() != kEntryRow
        || std::size_t(row) >= m_duplicates->discs(parent.row()).size())
        return QModelIndex();
    return createIndex(row, column, quintptr(parent.row()) + 1);
}

QModelIndex DuplicatesModel::parent(const QModelIndex &index) const
{
    if (!index.isValid() || index.internalId() == kEntryRow)
        return QModelIndex();
    return createIndex(int(index.internalId() - 1), 0, kEntryRow);
}

int DuplicatesModel::rowCount(const QModelIndex &parent) const
{
    if (!m_duplicates)
        return 0;
    if (!parent.isValid())
        return m_fetched;
    if (parent.internalId() != kEntryRow || parent.column() != 0)
        return 0;
    return int(m_duplicates->discs(parent.row()).size());
}

int DuplicatesModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

bool DuplicatesModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

bool DuplicatesModel::hasMoreRows(const QModelIndex &parent) const
{
    return !parent.isValid() && m_fetched < entryCount();
}

void DuplicatesModel::fetchMoreRows(const QModelIndex &parent)
{
    if (!hasMoreRows(parent))
        return;
    const int want = int(std::min<qint64>(qint64(m_fetched) + m_batch, entryCount()));
    beginInsertRows(QModelIndex(), m_fetched, want - 1);
    m_fetched = want;
    endInsertRows();
}

QVariant DuplicatesModel::data(const QModelIndex &index, int role) const
{
    if (!m_duplicates || !index.isValid())
        return QVariant();
    const qsizetype entry = entryAt(index);
    const bool entryRow = index.internalId() == kEntryRow;
    if (role == Qt::DisplayRole) {
        if (!entryRow)
        {
            if (index.column() != KeyColumn)
                return QVariant();
            return m_discName ? m_discName(discAt(index)) : m_index->name(discAt(index));
        }
        if (index.column() == KeyColumn)
            return m_duplicates->key(entry);
        return QLocale().toString(qsizetype(m_duplicates->discs(entry).size()));
    }
    if (role == Qt::DecorationRole && index.column() == KeyColumn)
        return entryRow ? m_fileIcon : m_discIcon;
    if (role == Qt::TextAlignmentRole && index.column() == DiscsColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QVariant DuplicatesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    // Counts stand right, under a heading that does too.
    if (role == Qt::TextAlignmentRole && section == DiscsColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    if (section == DiscsColumn)
        return tr("Discs");
    if (m_duplicates && m_duplicates->keyKind() == DiscDuplicates::Key::FileName)
        return tr("Name");
    return tr("Path");
}

} // namespace kobrix
