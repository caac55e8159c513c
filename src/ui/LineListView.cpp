#include "ui/LineListView.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace kobrix {

namespace {

// Rows measured for the sideways range when the model changes: the first
// ones, as a list box shows them first.
constexpr int kRowsMeasured = 200;

} // namespace

LineListView::LineListView(QWidget *parent) : QAbstractItemView(parent)
{
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
    setSelectionBehavior(SelectRows);
    setAutoScroll(true);
}

int LineListView::rowCount() const { return model() ? model()->rowCount(rootIndex()) : 0; }

int LineListView::rowHeight() const
{
    // One line of text and the frame a list item gets in this style.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, this);
    return std::max(1, fontMetrics().height() + 2 * std::max(1, margin / 2));
}

int LineListView::rowsPerPage() const { return std::max(1, viewport()->height() / rowHeight()); }

int LineListView::firstVisibleRow() const { return verticalScrollBar()->value(); }

int LineListView::verticalOffset() const { return firstVisibleRow() * rowHeight(); }

int LineListView::horizontalOffset() const { return horizontalScrollBar()->value(); }

QRect LineListView::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.parent() != rootIndex())
        return QRect();
    const int top = (index.row() - firstVisibleRow()) * rowHeight();
    const int width = std::max(viewport()->width(), m_widest) + horizontalOffset();
    return QRect(-horizontalOffset(), top, width, rowHeight());
}

QModelIndex LineListView::indexAt(const QPoint &point) const
{
    if (!model() || point.y() < 0)
        return QModelIndex();
    const qint64 row = qint64(firstVisibleRow()) + point.y() / rowHeight();
    if (row >= rowCount())
        return QModelIndex();
    return model()->index(int(row), 0, rootIndex());
}

void LineListView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    const int row = index.row();
    const int first = firstVisibleRow();
    const int page = rowsPerPage();
    int target = first;
    switch (hint) {
    case PositionAtTop: target = row; break;
    case PositionAtBottom: target = row - page + 1; break;
    case PositionAtCenter: target = row - page / 2; break;
    case EnsureVisible:
        if (row < first)
            target = row;
        else if (row >= first + page)
            target = row - page + 1;
        break;
    }
    verticalScrollBar()->setValue(target);
}

QModelIndex LineListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    const int rows = rowCount();
    if (rows == 0)
        return QModelIndex();
    const QModelIndex current = currentIndex();
    int row = current.isValid() ? current.row() : -1;
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious: row = std::max(0, row - 1); break;
    case MoveDown:
    case MoveNext: row = std::min(rows - 1, row + 1); break;
    case MovePageUp: row = std::max(0, row - rowsPerPage()); break;
    case MovePageDown: row = std::min(rows - 1, std::max(0, row) + rowsPerPage()); break;
    case MoveHome: row = 0; break;
    case MoveEnd: row = rows - 1; break;
    case MoveLeft:
    case MoveRight: return current;
    }
    return model()->index(std::max(0, row), 0, rootIndex());
}

bool LineListView::isIndexHidden(const QModelIndex &) const { return false; }

void LineListView::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    if (!model() || !selectionModel())
        return;
    const QRect r = rect.normalized();
    const QModelIndex top = indexAt(QPoint(0, std::max(0, r.top())));
    QModelIndex bottom = indexAt(QPoint(0, std::max(0, r.bottom())));
    if (!top.isValid())
        return;
    if (!bottom.isValid())
        bottom = model()->index(rowCount() - 1, 0, rootIndex());
    selectionModel()->select(QItemSelection(top, bottom), command);
}

QRegion LineListView::visualRegionForSelection(const QItemSelection &selection) const
{
    QRegion region;
    const int first = firstVisibleRow();
    const int last = first + rowsPerPage();
    for (const QItemSelectionRange &range : selection) {
        const int top = std::max(range.top(), first);
        const int bottom = std::min(range.bottom(), last);
        if (top > bottom)
            continue;
        region += QRect(0, (top - first) * rowHeight(), viewport()->width(),
                        (bottom - top + 1) * rowHeight());
    }
    return region;
}

void LineListView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const int rows = rowCount();
    if (rows == 0)
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int height = rowHeight();
    const int first = firstVisibleRow() + event->rect().top() / height;
    const int last = std::min(rows - 1, firstVisibleRow() + event->rect().bottom() / height);
    const QModelIndex current = currentIndex();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        option.rect = visualRect(index);
        option.state = QStyle::State_Enabled | QStyle::State_Active;
        if (!isEnabled())
            option.state &= ~QStyle::State_Enabled;
        if (selectionModel() && selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (index == current && hasFocus())
            option.state |= QStyle::State_HasFocus;
        itemDelegateForIndex(index)->paint(&painter, option, index);
        const int textWidth = fontMetrics().horizontalAdvance(index.data().toString());
        if (textWidth + 8 > m_widest)
            noteWidth(textWidth + 8);
    }
}

void LineListView::noteWidth(int width)
{
    m_widest = std::max(m_widest, width);
    horizontalScrollBar()->setRange(0, std::max(0, m_widest - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void LineListView::updateGeometries()
{
    const int rows = rowCount();
    const int page = rowsPerPage();
    verticalScrollBar()->setRange(0, std::max(0, rows - page));
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, m_widest - viewport()->width()));
    QAbstractItemView::updateGeometries();
}

void LineListView::resizeEvent(QResizeEvent *event)
{
    QAbstractItemView::resizeEvent(event);
    updateGeometries();
}

void LineListView::rowsInserted(const QModelIndex &parent, int start, int end)
{
    QAbstractItemView::rowsInserted(parent, start, end);
    if (start < kRowsMeasured && model()) {
        const int last = std::min(end, kRowsMeasured - 1);
        for (int row = start; row <= last; ++row) {
            const QString text = model()->index(row, 0, rootIndex()).data().toString();
            m_widest = std::max(m_widest, fontMetrics().horizontalAdvance(text) + 8);
        }
    }
    updateGeometries();
    viewport()->update();
}

void LineListView::reset()
{
    m_widest = 0;
    QAbstractItemView::reset();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    if (model())
        rowsInserted(rootIndex(), 0, std::max(0, rowCount() - 1));
    updateGeometries();
    viewport()->update();
}

void LineListView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                               const QList<int> &roles)
{
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    viewport()->update();
}

void LineListView::scrollContentsBy(int dx, int dy)
{
    // Per-item scrolling moves whole rows; repainting the viewport is
    // simplest and cheap (only the rows on screen are painted).
    Q_UNUSED(dx);
    Q_UNUSED(dy);
    viewport()->update();
}

bool LineListView::event(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_widest = 0;
        updateGeometries();
    }
    return QAbstractItemView::event(event);
}

} // namespace kobrix
