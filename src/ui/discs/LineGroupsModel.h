#pragma once

#include "ui/discs/BatchedRows.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <QString>

#include <functional>
#include <vector>

namespace kobrix {

// Catalog lines in groups, as a tree of two columns: each group is a row
// with its label and its number of lines, and expands to its lines. The
// search results of the Discs window are grouped by disc this way, and the
// other places of a file by how they match.
//
// A group hands its lines to the views in batches (BatchedRows.h),
// so that a group of a million lines expands at once.
class LineGroupsModel : public QAbstractItemModel, public BatchedRows
{
    Q_OBJECT

public:
    enum Column { TextColumn, CountColumn, ColumnCount };

    struct Group
    {
        QString label;
        std::vector<qsizetype> lines;
    };

    // lineText gives the text a line is shown by.
    LineGroupsModel(std::function<QString(qsizetype line)> lineText, QObject *parent = nullptr);

    void setGroups(std::vector<Group> groups);
    void clear() { setGroups({}); }
    const std::vector<Group> &groups() const { return m_groups; }
    void setHeaders(const QString &text, const QString &count);
    // The icons shown before a group and before a line.
    void setIcons(const QIcon &group, const QIcon &line);
    // Lines a group gains per batch (1,000 unless changed).
    void setBatchSize(int rows) { m_batch = std::max(rows, 1); }

    // The group a row stands for (-1 for a line), and the line (-1 for a group).
    int groupAt(const QModelIndex &index) const;
    qsizetype lineAt(const QModelIndex &index) const;
    int fetchedRows(int group) const { return m_fetched[std::size_t(group)]; }
    qsizetype totalLines() const;

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
    // The ids of the rows: 0 for a group, 1 + its group for a line.
    static constexpr quintptr kGroupRow = 0;
    int groupLines(int group) const;

    std::function<QString(qsizetype)> m_lineText;
    std::vector<Group> m_groups;
    std::vector<int> m_fetched; // lines known to the views, by group
    QString m_textHeader;
    QString m_countHeader;
    QIcon m_groupIcon;
    QIcon m_lineIcon;
    int m_batch = 1000;
};

} // namespace kobrix
