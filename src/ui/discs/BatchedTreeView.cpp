#include "ui/discs/BatchedTreeView.h"

#include "ui/discs/BatchedRows.h"

#include <QTimer>

namespace kobrix {

BatchedTreeView::BatchedTreeView(QWidget *parent)
    : QTreeView(parent)
{}

void BatchedTreeView::scrollContentsBy(int dx, int dy)
{
    QTreeView::scrollContentsBy(dx, dy);
    if (dy != 0)
        scheduleLook();
}

void BatchedTreeView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTreeView::currentChanged(current, previous);
    scheduleLook();
}

void BatchedTreeView::rowsInserted(const QModelIndex &parent, int start, int end)
{
    QTreeView::rowsInserted(parent, start, end);
    scheduleLook(); // a short batch may leave another folder's end in sight
}

void BatchedTreeView::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    scheduleLook();
}

void BatchedTreeView::scheduleLook()
{
    if (m_lookPending)
        return;
    m_lookPending = true;
    QTimer::singleShot(0, this, [this] {
        m_lookPending = false;
        fetchWhereRowsEnd();
    });
}

bool BatchedTreeView::fetchAfter(const QModelIndex &row)
{
    auto *batched = dynamic_cast<BatchedRows *>(model());
    const QModelIndex parent = row.parent();
    if (!batched || row.row() != model()->rowCount(parent) - 1 || !batched->hasMoreRows(parent))
        return false;
    batched->fetchMoreRows(parent);
    return true;
}

void BatchedTreeView::fetchWhereRowsEnd()
{
    if (!model())
        return;
    // The rows in sight, the one below the last of them and the current
    // row, with the folders above each: the last row of a folder among them
    // brings its next batch.
    QModelIndex row = indexAt(QPoint(0, 0)).siblingAtColumn(0);
    const int bottom = viewport()->height();
    QModelIndex lastShown;
    while (row.isValid() && visualRect(row).top() < bottom) {
        if (fetchAfter(row))
            return; // the rows moved: looked at again once they are laid out
        lastShown = row;
        row = indexBelow(row);
    }
    for (const QModelIndex &start : {lastShown, currentIndex()}) {
        for (QModelIndex up = start.siblingAtColumn(0); up.isValid(); up = up.parent()) {
            if (fetchAfter(up))
                return;
        }
    }
}

} // namespace kobrix
