#pragma once

#include "catalog/LineStore.h"

#include <QAbstractListModel>

#include <vector>

namespace kobrix {

// The result list of the search window. It holds the positions of the
// matching lines in the catalog's line store, not copies of the lines, so a
// search that matches a million lines costs eight bytes per result. The lines
// are fetched from the store only when the view paints them.
class SearchResultModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit SearchResultModel(const LineStore &lines, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Removes every result.
    void clear();
    // Adds results at the end, in the order given. Positions repeat as often
    // as they are given.
    void append(const std::vector<qsizetype> &positions);

    qsizetype count() const { return qsizetype(m_positions.size()); }
    const std::vector<qsizetype> &positions() const { return m_positions; }
    // The catalog line shown in a row.
    QString lineAt(qsizetype row) const;

private:
    const LineStore &m_lines;
    std::vector<qsizetype> m_positions;
};

} // namespace kobrix
