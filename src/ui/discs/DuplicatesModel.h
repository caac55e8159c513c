#pragma once

#include "discs/DiscDuplicates.h"

#include "ui/discs/BatchedRows.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <functional>

namespace kobrix {

// The files that stand on more than one disc, as a tree of two columns: each
// path (or file name) with its number of discs, expanding to those discs.
// The paths come to the views in batches (BatchedRows.h): there may
// be hundreds of thousands.
class DuplicatesModel : public QAbstractItemModel, public BatchedRows
{
    Q_OBJECT

public:
    enum Column { KeyColumn, DiscsColumn, ColumnCount };

    explicit DuplicatesModel(QObject *parent = nullptr);

    // What is shown, with the index it was found with (which names the
    // discs); nullptr shows nothing. Both, and the line store, must stay
    // unchanged while shown.
    void setDuplicates(const DiscDuplicates *duplicates, const DiscIndex *index);
    const DiscDuplicates *duplicates() const { return m_duplicates; }
    // How a disc row names its disc; by default its name in the index.
    void setDiscNames(std::function<QString(qsizetype disc)> name) { m_discName = std::move(name); }
    void setBatchSize(int rows) { m_batch = std::max(rows, 1); }
    int fetchedRows() const { return m_fetched; }

    // The entry a row stands for (the disc's entry for a disc row), and the
    // disc of a disc row (-1 for an entry row).
    qsizetype entryAt(const QModelIndex &index) const;
    qsizetype discAt(const QModelIndex &index) const;

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
    // The ids of the rows: 0 for an entry, 1 + its entry for a disc.
    static constexpr quintptr kEntryRow = 0;
    int entryCount() const;

    const DiscDuplicates *m_duplicates = nullptr;
    const DiscIndex *m_index = nullptr;
    int m_fetched = 0;
    int m_batch = 1000;
    std::function<QString(qsizetype)> m_discName;
    QIcon m_fileIcon;
    QIcon m_discIcon;
};

} // namespace kobrix
