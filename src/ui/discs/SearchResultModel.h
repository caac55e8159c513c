#pragma once

#include "core/LineStore.h"

#include <QAbstractListModel>

#include <memory>
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

    qsizetype count() const { return m_count; }
    // The position in the line store of the line shown in a row.
    qsizetype positionAt(qsizetype row) const
    {
        return m_blocks[std::size_t(row >> kBlockBits)][std::size_t(row & (kBlockSize - 1))];
    }
    std::vector<qsizetype> positions() const;
    // The catalog line shown in a row.
    QString lineAt(qsizetype row) const;

private:
    // The positions are kept in blocks of equal size, so that millions of
    // results grow the list without ever moving what it holds: a growing
    // single array would copy tens of megabytes at a time, in one go, while
    // the window waits.
    static constexpr int kBlockBits = 16;
    static constexpr qsizetype kBlockSize = qsizetype(1) << kBlockBits;

    const LineStore &m_lines;
    std::vector<std::unique_ptr<qsizetype[]>> m_blocks;
    qsizetype m_count = 0;
};

} // namespace kobrix
