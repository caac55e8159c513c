#pragma once

#include <QModelIndex>

namespace kobrix {

// A model that hands its rows to the views in batches: a parent shows the
// first batch of its children from the start, and the next one each time
// fetchMoreRows() is called for it. Only BatchedTreeView asks for more,
// when the end of a batch comes into sight; QTreeView's own fetching
// (canFetchMore) is left out, as it asks on every layout of an expanded
// parent, not when the user gets to its end.
class BatchedRows
{
public:
    virtual ~BatchedRows() = default;
    virtual bool hasMoreRows(const QModelIndex &parent) const = 0;
    virtual void fetchMoreRows(const QModelIndex &parent) = 0;
};

} // namespace kobrix
