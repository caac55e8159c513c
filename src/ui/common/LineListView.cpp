#include "ui/common/LineListView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QPointer>
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

// One row of a line list, as screen readers see it: a list item whose name
// is the row's text. It holds the view and the row number only, so it
// always tells what the row shows now.
class LineRowAccessible : public QAccessibleInterface
{
public:
    LineRowAccessible(LineListView *view, int row) : m_view(view), m_row(row) {}

    bool isValid() const override { return m_view && index().isValid(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_view ? m_view->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        const QModelIndex row = index();
        if (!row.isValid())
            return QString();
        switch (t) {
        case QAccessible::Name: {
            const QVariant spoken = row.data(Qt::AccessibleTextRole);
            return spoken.isValid() ? spoken.toString() : row.data(Qt::DisplayRole).toString();
        }
        case QAccessible::Description: return row.data(Qt::AccessibleDescriptionRole).toString();
        default: return QString();
        }
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QRect shown = m_view->visualRect(index());
        return QRect(m_view->viewport()->mapToGlobal(shown.topLeft()), shown.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State st;
        const QModelIndex row = index();
        if (!row.isValid()) {
            st.invalid = true;
            return st;
        }
        st.focusable = true;
        st.selectable = m_view->selectionMode() != QAbstractItemView::NoSelection;
        st.multiSelectable = m_view->selectionMode() == QAbstractItemView::MultiSelection
                             || m_view->selectionMode() == QAbstractItemView::ExtendedSelection;
        st.selected = m_view->selectionModel() && m_view->selectionModel()->isSelected(row);
        st.focused = m_view->hasFocus() && m_view->currentIndex() == row;
        if (!m_view->viewport()->rect().intersects(m_view->visualRect(row)))
            st.offscreen = true;
        if (!m_view->isEnabled())
            st.disabled = true;
        return st;
    }

private:
    QModelIndex index() const
    {
        if (!m_view || !m_view->model() || m_row < 0
            || m_row >= m_view->model()->rowCount(m_view->rootIndex()))
            return QModelIndex();
        return m_view->model()->index(m_row, 0, m_view->rootIndex());
    }

    QPointer<LineListView> m_view;
    int m_row;
};

// A line list as screen readers see it: a list whose children are its rows
// (not its scroll bars), made only for the rows a reader asks for and
// forgotten when the model changes, so ten million rows cost nothing until
// read.
class LineListAccessible : public QAccessibleWidget
{
public:
    explicit LineListAccessible(LineListView *view) : QAccessibleWidget(view, QAccessible::List) {}
    ~LineListAccessible() override { forgetRows(); }

    LineListView *view() const { return static_cast<LineListView *>(widget()); }

    int childCount() const override
    {
        const LineListView *v = view();
        return v->model() ? v->model()->rowCount(v->rootIndex()) : 0;
    }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto found = m_rows.constFind(index); found != m_rows.cend())
            return QAccessible::accessibleInterface(*found);
        auto *row = new LineRowAccessible(view(), index);
        m_rows.insert(index, QAccessible::registerAccessibleInterface(row));
        return row;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child));
        for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it) {
            if (it.value() == id)
                return it.key();
        }
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const LineListView *v = view();
        const QPoint at = v->viewport()->mapFromGlobal(QPoint(x, y));
        if (!v->viewport()->rect().contains(at))
            return nullptr;
        const QModelIndex row = v->indexAt(at);
        return row.isValid() ? child(row.row()) : nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        const LineListView *v = view();
        const QModelIndex current = v->currentIndex();
        return v->hasFocus() && current.isValid() ? child(current.row()) : nullptr;
    }

    // The rows handed out so far stand for other lines now.
    void forgetRows() const
    {
        for (const QAccessible::Id id : std::as_const(m_rows))
            QAccessible::deleteAccessibleInterface(id);
        m_rows.clear();
    }

private:
    mutable QHash<int, QAccessible::Id> m_rows;
};

QAccessibleInterface *lineListAccessible(const QString &, QObject *object)
{
    auto *view = qobject_cast<LineListView *>(object);
    return view ? new LineListAccessible(view) : nullptr;
}

} // namespace

LineListView::LineListView(QWidget *parent) : QAbstractItemView(parent)
{
    // Screen readers get the rows through an interface of their own: Qt
    // knows only its own item views.
    static const bool readable = [] {
        QAccessible::installFactory(lineListAccessible);
        return true;
    }();
    Q_UNUSED(readable);
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

void LineListView::forgetAccessibleRows()
{
    if (!QAccessible::isActive())
        return;
    if (auto *face = dynamic_cast<LineListAccessible *>(QAccessible::queryAccessibleInterface(this)))
        face->forgetRows();
}

void LineListView::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    forgetAccessibleRows();
    QAbstractItemView::rowsAboutToBeRemoved(parent, start, end);
}

void LineListView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QAbstractItemView::currentChanged(current, previous);
    // A reader follows the row the keys move to.
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(current.row());
        QAccessible::updateAccessibility(&event);
    }
}

void LineListView::reset()
{
    forgetAccessibleRows();
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
