#include "ui/discs/DiscTreeModel.h"

#include <QApplication>
#include <QLocale>
#include <QStyle>

#include <algorithm>
#include <limits>

namespace kobrix {

namespace {

// Rows a Qt model can address.
int rowsOf(std::size_t count)
{
    return int(std::min<std::size_t>(count, std::size_t(std::numeric_limits<int>::max())));
}

} // namespace

DiscTreeModel::DiscTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
{
    m_folderIcon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    m_fileIcon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
}

DiscTreeModel::~DiscTreeModel() = default;

void DiscTreeModel::setTree(std::unique_ptr<DiscTree> tree)
{
    beginResetModel();
    m_tree = std::move(tree);
    m_fetched.clear();
    m_rowInParent.clear();
    if (m_tree) {
        const auto folders = std::size_t(m_tree->folderCount());
        m_fetched.assign(folders, 0);
        m_rowInParent.assign(folders, 0);
        for (std::size_t folder = 0; folder < folders; ++folder) {
            m_fetched[folder] = std::min(childCount(qsizetype(folder)), m_batch);
            const auto subfolders = m_tree->subfolders(qsizetype(folder));
            for (std::size_t row = 0; row < subfolders.size(); ++row)
                m_rowInParent[std::size_t(subfolders[row])] = int(row);
        }
    }
    endResetModel();
}

int DiscTreeModel::childCount(qsizetype folder) const
{
    return rowsOf(m_tree->subfolders(folder).size() + m_tree->files(folder).size());
}

qsizetype DiscTreeModel::folderOf(const QModelIndex &parent) const
{
    return parent.isValid() ? folderAt(parent) : 0;
}

qsizetype DiscTreeModel::folderAt(const QModelIndex &index) const
{
    if (!m_tree || !index.isValid())
        return -1;
    const auto subfolders = m_tree->subfolders(qsizetype(index.internalId()));
    return std::size_t(index.row()) < subfolders.size() ? subfolders[std::size_t(index.row())] : -1;
}

qsizetype DiscTreeModel::lineAt(const QModelIndex &index) const
{
    if (!m_tree || !index.isValid())
        return -1;
    const auto folder = qsizetype(index.internalId());
    const std::size_t subfolders = m_tree->subfolders(folder).size();
    if (std::size_t(index.row()) < subfolders)
        return -1;
    return m_tree->files(folder)[std::size_t(index.row()) - subfolders];
}

QModelIndex DiscTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!m_tree || row < 0 || column < 0 || column >= ColumnCount)
        return QModelIndex();
    const qsizetype folder = folderOf(parent);
    if (folder < 0 || row >= m_fetched[std::size_t(folder)])
        return QModelIndex();
    // Each row carries the folder it stands in.
    return createIndex(row, column, quintptr(folder));
}

QModelIndex DiscTreeModel::parent(const QModelIndex &index) const
{
    if (!m_tree || !index.isValid())
        return QModelIndex();
    const auto folder = qsizetype(index.internalId());
    if (folder == 0)
        return QModelIndex();
    return createIndex(m_rowInParent[std::size_t(folder)], 0,
                       quintptr(m_tree->parentFolder(folder)));
}

int DiscTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!m_tree || parent.column() > 0)
        return 0;
    const qsizetype folder = folderOf(parent);
    return folder < 0 ? 0 : m_fetched[std::size_t(folder)];
}

int DiscTreeModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

bool DiscTreeModel::hasChildren(const QModelIndex &parent) const
{
    if (!m_tree || parent.column() > 0)
        return false;
    const qsizetype folder = folderOf(parent);
    return folder >= 0 && childCount(folder) > 0;
}

bool DiscTreeModel::hasMoreRows(const QModelIndex &parent) const
{
    if (!m_tree || parent.column() > 0)
        return false;
    const qsizetype folder = folderOf(parent);
    return folder >= 0 && m_fetched[std::size_t(folder)] < childCount(folder);
}

void DiscTreeModel::fetchMoreRows(const QModelIndex &parent)
{
    if (!hasMoreRows(parent))
        return;
    const qsizetype folder = folderOf(parent);
    fetchUpTo(folder, m_fetched[std::size_t(folder)] + m_batch);
}

void DiscTreeModel::fetchUpTo(qsizetype folder, int rows)
{
    const int have = m_fetched[std::size_t(folder)];
    // Whole batches, so that the rows after a revealed one are there too.
    const qint64 batches = (qint64(rows) + m_batch - 1) / m_batch;
    const int want = int(std::min<qint64>(batches * m_batch, childCount(folder)));
    if (want <= have)
        return;
    // Its own row is known already: the folder was expanded or revealed.
    const QModelIndex parent = folder == 0 ? QModelIndex()
                                           : createIndex(m_rowInParent[std::size_t(folder)], 0,
                                                         quintptr(m_tree->parentFolder(folder)));
    beginInsertRows(parent, have, want - 1);
    m_fetched[std::size_t(folder)] = want;
    endInsertRows();
}

QModelIndex DiscTreeModel::indexOfFolder(qsizetype folder)
{
    if (!m_tree || folder <= 0 || folder >= m_tree->folderCount())
        return QModelIndex();
    // The rows above it are made known first, from the root down; a loop,
    // not recursion, however deep a made-up path goes.
    std::vector<qsizetype> chain;
    for (qsizetype f = folder; f > 0; f = m_tree->parentFolder(f))
        chain.push_back(f);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        fetchUpTo(m_tree->parentFolder(*it), m_rowInParent[std::size_t(*it)] + 1);
    return createIndex(m_rowInParent[std::size_t(folder)], 0,
                       quintptr(m_tree->parentFolder(folder)));
}

QModelIndex DiscTreeModel::indexOfLine(qsizetype line)
{
    if (!m_tree)
        return QModelIndex();
    const qsizetype folder = m_tree->folderOfLine(line);
    if (folder < 0)
        return QModelIndex();
    const auto files = m_tree->files(folder);
    const auto it = std::lower_bound(files.begin(), files.end(), qint32(line));
    const int row = rowsOf(m_tree->subfolders(folder).size() + std::size_t(it - files.begin()));
    if (folder > 0)
        indexOfFolder(folder);
    fetchUpTo(folder, row + 1);
    return createIndex(row, 0, quintptr(folder));
}

QVariant DiscTreeModel::data(const QModelIndex &index, int role) const
{
    if (!m_tree || !index.isValid())
        return QVariant();
    const qsizetype folder = folderAt(index);
    if (role == Qt::DisplayRole) {
        if (index.column() == NameColumn)
            return folder >= 0 ? m_tree->folderName(folder) : m_tree->fileName(lineAt(index));
        return folder >= 0 ? QVariant(QLocale().toString(m_tree->filesBelow(folder))) : QVariant();
    }
    if (role == Qt::DecorationRole && index.column() == NameColumn)
        return folder >= 0 ? m_folderIcon : m_fileIcon;
    if (role == Qt::TextAlignmentRole && index.column() == FilesColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QVariant DiscTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    // Counts stand right, under a heading that does too.
    if (role == Qt::TextAlignmentRole && section == FilesColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    return section == NameColumn ? tr("Name") : tr("Files");
}

} // namespace kobrix
