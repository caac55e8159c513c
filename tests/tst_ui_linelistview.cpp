// The list box of the windows: rows placed by arithmetic, so any number of
// them scroll, select and answer the keyboard as a list box does.

#include "core/LineStore.h"
#include "ui/common/LineListView.h"
#include "ui/common/LineStoreModel.h"

#include <QAccessible>
#include <QApplication>
#include <QScrollBar>
#include <QTest>

using namespace kobrix;

namespace {

// A store of n numbered lines ("line 0" ...).
LineStore numbered(qsizetype n)
{
    LineStore store;
    for (qsizetype i = 0; i < n; ++i)
        store.appendUtf8(QByteArray("line ").append(QByteArray::number(i)).toStdString(), true);
    return store;
}

struct ViewFixture
{
    explicit ViewFixture(qsizetype rows) : store(numbered(rows)), model(store)
    {
        view.setModel(&model);
        view.setSelectionMode(QAbstractItemView::SingleSelection);
        view.resize(300, 200);
        view.show();
    }
    LineStore store;
    LineStoreModel model;
    LineListView view;
};

} // namespace

class TestLineListView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A screen reader sees a list of every row: the one on the screen at a
    // point, with its text and whether it is chosen; rows far away are
    // there too, off the screen.
    void readerFindsTheRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("first") << 0;
        QTest::newRow("middle") << 1234567;
        QTest::newRow("last") << 1999999;
    }
    void readerFindsTheRows()
    {
        QFETCH(int, row);
        ViewFixture f(2000000);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&f.view);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::List);
        QCOMPARE(face->childCount(), 2000000);
        const QModelIndex index = f.model.index(row);
        f.view.scrollTo(index);
        f.view.selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
        const QPoint centre = f.view.viewport()->mapToGlobal(f.view.visualRect(index).center());
        QAccessibleInterface *item = face->childAt(centre.x(), centre.y());
        QVERIFY(item);
        QCOMPARE(item->text(QAccessible::Name), QStringLiteral("line %1").arg(row));
        QCOMPARE(face->indexOfChild(item), row);
        QVERIFY(item->rect().contains(centre));
        QVERIFY(item->state().selected);
        QVERIFY(!item->state().offscreen);
        QAccessibleInterface *far = face->child(row > 1000 ? 0 : 1999999);
        QVERIFY(far);
        QCOMPARE(far->text(QAccessible::Name), QStringLiteral("line %1").arg(row > 1000 ? 0 : 1999999));
        QVERIFY(far->state().offscreen);
        QVERIFY(!far->state().selected);
        QVERIFY(!face->child(2000000));
    }

    void rowsStandWhereTheyAreShown_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("first") << 0;
        QTest::newRow("middle") << 1234567;
        QTest::newRow("last") << 1999999;
    }
    void rowsStandWhereTheyAreShown()
    {
        QFETCH(int, row);
        ViewFixture f(2000000);
        const QModelIndex index = f.model.index(row);
        f.view.scrollTo(index);
        const QRect rect = f.view.visualRect(index);
        QVERIFY(f.view.viewport()->rect().contains(rect.center()));
        QCOMPARE(f.view.indexAt(rect.center()), index);
        QCOMPARE(rect.height(), f.view.rowHeight());
        // The row below is one row height further down.
        if (row + 1 < 2000000)
            QCOMPARE(f.view.visualRect(f.model.index(row + 1)).top(), rect.top() + rect.height());
    }

    void keyboardMoves_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected"); // -1: start + a page, -2: start - a page
        QTest::newRow("down") << 5 << int(Qt::Key_Down) << 6;
        QTest::newRow("up") << 5 << int(Qt::Key_Up) << 4;
        QTest::newRow("up at the top") << 0 << int(Qt::Key_Up) << 0;
        QTest::newRow("end") << 5 << int(Qt::Key_End) << 999999;
        QTest::newRow("home") << 500 << int(Qt::Key_Home) << 0;
        QTest::newRow("down at the end") << 999999 << int(Qt::Key_Down) << 999999;
        QTest::newRow("page down") << 10 << int(Qt::Key_PageDown) << -1;
        QTest::newRow("page up") << 500 << int(Qt::Key_PageUp) << -2;
    }
    void keyboardMoves()
    {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, expected);
        ViewFixture f(1000000);
        f.view.setFocus();
        f.view.setCurrentIndex(f.model.index(start));
        QTest::keyClick(&f.view, Qt::Key(key));
        const int page = f.view.viewport()->height() / f.view.rowHeight();
        if (expected == -1)
            expected = start + page;
        if (expected == -2)
            expected = start - page;
        QCOMPARE(f.view.currentIndex().row(), expected);
        // The current row is brought into view.
        QVERIFY(f.view.viewport()->rect().intersects(f.view.visualRect(f.view.currentIndex())));
    }

    void clickSelectsTheRowUnderThePointer()
    {
        ViewFixture f(1000);
        f.view.scrollTo(f.model.index(400), QAbstractItemView::PositionAtTop);
        QCOMPARE(f.view.firstVisibleRow(), 400);
        const QPoint third(10, 2 * f.view.rowHeight() + f.view.rowHeight() / 2);
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, third);
        QCOMPARE(f.view.selectionModel()->selectedIndexes(), QModelIndexList{f.model.index(402)});
        // Below the last row there is nothing to select.
        ViewFixture few(2);
        QVERIFY(!few.view.indexAt(QPoint(10, 5 * few.view.rowHeight())).isValid());
    }

    void scrollRangeFollowsTheModel()
    {
        LineStore store = numbered(10);
        LineStoreModel model(store);
        LineListView view;
        view.setModel(&model);
        view.resize(300, 100);
        view.show();
        const int page = view.viewport()->height() / view.rowHeight();
        QCOMPARE(view.verticalScrollBar()->maximum(), std::max(0, 10 - page));

        // Ten million more rows: the range grows, nothing is laid out.
        for (int i = 0; i < 10000000; ++i)
            store.appendUtf8("x", true);
        model.sync();
        QCOMPARE(view.verticalScrollBar()->maximum(), 10000010 - page);
        view.scrollToBottom();
        QCOMPARE(view.indexAt(QPoint(5, (page - 1) * view.rowHeight() + 1)).row(), 10000009);

        // Emptied: back to the top, no range.
        store.clear();
        model.sync();
        QCOMPARE(view.verticalScrollBar()->maximum(), 0);
        QCOMPARE(view.verticalScrollBar()->value(), 0);
    }

    void longLinesScrollSideways()
    {
        LineStore store;
        store.append(QStringLiteral("short"));
        store.append(QString(400, QLatin1Char('W')));
        LineStoreModel model(store);
        LineListView view;
        view.setModel(&model);
        view.resize(200, 100);
        view.show();
        QVERIFY(view.horizontalScrollBar()->maximum()
                >= view.fontMetrics().horizontalAdvance(QString(400, QLatin1Char('W'))) - 200);
    }
};

QTEST_MAIN(TestLineListView)
#include "tst_ui_linelistview.moc"
