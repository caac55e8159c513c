#pragma once

#include "core/LineStore.h"

#include <QAbstractListModel>

namespace kobrix {

// Shows the lines of a LineStore in a list view without copying them: each
// row is decoded only when the view asks for it.
//
// The store may grow or be emptied behind the model's back; the rows the
// views know of change only with sync(), so a long load or a walk tells the
// views about new rows in batches rather than line by line.
class LineStoreModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit LineStoreModel(const LineStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Brings the rows the views know of in line with the store: appended
    // lines become inserted rows, a store that shrank resets the model.
    void sync();
    // Tells the views that the store was emptied or replaced: they forget
    // every row and see what the store holds now.
    void reset();

private:
    const LineStore &m_store;
    int m_rows = 0; // rows announced to the views
};

} // namespace kobrix
