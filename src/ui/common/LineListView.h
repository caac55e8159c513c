#pragma once

#include <QAbstractItemView>

namespace kobrix {

// A list box for millions of lines: every row is one line of text of the same
// height, so the view knows where any row stands without laying rows out.
// Adding a million rows costs it nothing but a new scroll range, and painting
// touches only the rows on screen. (QListView keeps a position per row, which
// holds the window up for a tenth of a second and more at ten million rows.)
//
// Rows scroll one at a time; the view scrolls sideways as far as the widest
// line it has shown needs. Screen readers see it as a list of its rows.
class LineListView : public QAbstractItemView
{
    Q_OBJECT

public:
    explicit LineListView(QWidget *parent = nullptr);

    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;

    // Height of one row in pixels.
    int rowHeight() const;
    // The first row shown at the top.
    int firstVisibleRow() const;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex &index) const override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    void reset() override;
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;
    void scrollContentsBy(int dx, int dy) override;
    bool event(QEvent *event) override;

private:
    int rowCount() const;
    int rowsPerPage() const;
    // Widens the sideways scroll range to fit text of this width.
    void noteWidth(int width);
    // Screen readers' rows stand for other lines after a change of rows.
    void forgetAccessibleRows();

    int m_widest = 0; // widest line shown so far, in pixels
};

} // namespace kobrix
