#pragma once

#include "discs/DiscTree.h"

#include "ui/discs/BatchedRows.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <memory>
#include <vector>

namespace kobrix {

// The folders and files of one disc as a tree of two columns, the name and,
// for a folder, the number of files in it and below it. In each folder the
// subfolders come first, then the files, both in the order of the walk that
// listed the disc.
//
// Rows are handed to the views in batches: a folder shows its first batch
// when expanded and the next whenever a view scrolls to the end of what it
// has (BatchedRows.h), so a folder of 100,000 files opens at once.
class DiscTreeModel : public QAbstractItemModel, public BatchedRows
{
    Q_OBJECT

public:
    enum Column { NameColumn, FilesColumn, ColumnCount };

    explicit DiscTreeModel(QObject *parent = nullptr);
    ~DiscTreeModel() override;

    // The disc shown; nullptr shows nothing. The tree's line store and index
    // must stay unchanged while it is shown.
    void setTree(std::unique_ptr<DiscTree> tree);
    const DiscTree *tree() const { return m_tree.get(); }
    // Rows a folder gains per batch (1,000 unless changed).
    void setBatchSize(int rows) { m_batch = std::max(rows, 1); }

    // What a row stands for: a folder (its number in the tree) or a file (its
    // line); -1 for the other kind.
    qsizetype folderAt(const QModelIndex &index) const;
    qsizetype lineAt(const QModelIndex &index) const;
    // The row of a file or folder, with the batches above it fetched; invalid
    // for a line of another disc.
    QModelIndex indexOfLine(qsizetype line);
    QModelIndex indexOfFolder(qsizetype folder);
    // Rows of a folder the views know of so far.
    int fetchedRows(qsizetype folder) const { return m_fetched[std::size_t(folder)]; }

    QModelIndex index(int row, int column,
                      const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    bool hasMoreRows(const QModelIndex &parent) const override;
    void fetchMoreRows(const QModelIndex &parent) override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // The folder whose contents a parent index shows (the root for none).
    qsizetype folderOf(const QModelIndex &parent) const;
    int childCount(qsizetype folder) const;
    // Makes the first rows of folder known to the views.
    void fetchUpTo(qsizetype folder, int rows);

    std::unique_ptr<DiscTree> m_tree;
    std::vector<int> m_fetched;     // rows known to the views, by folder
    std::vector<int> m_rowInParent; // by folder
    int m_batch = 1000;
    QIcon m_folderIcon;
    QIcon m_fileIcon;
};

} // namespace kobrix
