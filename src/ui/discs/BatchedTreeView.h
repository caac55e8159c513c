#pragma once

#include <QTreeView>

namespace kobrix {

// A tree view over a model that hands out its rows in batches (BatchedRows.h):
// wherever the last row of a batch comes into sight or becomes the current
// row, it asks for the next one, so a large folder anywhere in a tree grows
// as the user scrolls or walks through it.
class BatchedTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit BatchedTreeView(QWidget *parent = nullptr);

protected:
    void scrollContentsBy(int dx, int dy) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Looks once control is back in the event loop: a fetch changes the rows
    // the view is busy laying out.
    void scheduleLook();
    void fetchWhereRowsEnd();
    // Fetches the next batch of row's parent when row is its last so far.
    bool fetchAfter(const QModelIndex &row);

    bool m_lookPending = false;
};

} // namespace kobrix
