// The task primitive and the one search loop: results reach the owner's
// thread for the latest start only, dropped work is never delivered, work
// in slices leaves the event loop free, and a search's text may change
// half-way.
#include "core/LineStore.h"
#include "session/LineSearch.h"
#include "session/Task.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <numeric>

using namespace kobrix;

class TaskTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void threadResultReachesOwner();
    void droppedWorkIsNeverDelivered_data();
    void droppedWorkIsNeverDelivered();
    void slicesLeaveEventsRunning();
    void stepMayDeleteTheTask();
    void searchInSteps_data();
    void searchInSteps();
    void searchTextChangesHalfWay();
};

void TaskTest::threadResultReachesOwner()
{
    Task task;
    QThread *workThread = nullptr;
    QThread *doneThread = nullptr;
    std::vector<int> got;
    task.run([&](TaskControl &) {
        workThread = QThread::currentThread();
        return std::vector<int>{1, 2, 3};
    }, [&](std::vector<int> result) {
        doneThread = QThread::currentThread();
        got = std::move(result);
    });
    QVERIFY(task.isRunning());
    QTRY_VERIFY(!task.isRunning());
    QCOMPARE(got, (std::vector<int>{1, 2, 3}));
    QVERIFY(workThread != QThread::currentThread());
    QCOMPARE(doneThread, QThread::currentThread());
}

void TaskTest::droppedWorkIsNeverDelivered_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QList<int>>("expected"); // results delivered, in order
    QTest::addColumn<bool>("stopped"); // the first work was asked to stop
    QTest::newRow("restart drops the first") << "restart" << QList<int>{2} << true;
    QTest::newRow("cancel") << "cancel" << QList<int>{} << true;
    QTest::newRow("waitForFinished delivers now") << "wait" << QList<int>{1} << false;
    QTest::newRow("requestStop still delivers") << "stop" << QList<int>{-1} << true;
    QTest::newRow("sliced restart") << "sliced restart" << QList<int>{2} << false;
    QTest::newRow("sliced wait runs to the end") << "sliced wait" << QList<int>{1} << false;
    QTest::newRow("sliced restart by a step") << "restart in step" << QList<int>{2} << false;
}

void TaskTest::droppedWorkIsNeverDelivered()
{
    QFETCH(QString, how);
    QFETCH(QList<int>, expected);
    QFETCH(bool, stopped);
    Task task;
    QList<int> delivered;
    std::atomic<bool> sawStop{false};
    // Work that runs until asked to stop, then says so by -1.
    auto endless = [&sawStop](int value) {
        return [value, &sawStop](TaskControl &control) {
            for (int i = 0; i < 200 && !control.stopRequested(); ++i)
                QThread::msleep(5);
            sawStop = sawStop || control.stopRequested();
            return control.stopRequested() ? -1 : value;
        };
    };
    auto record = [&](int value) { delivered.append(value); };
    // Work in 50 slices; done before its slices ran says so by -value.
    auto slices = [&](int value) {
        auto steps = std::make_shared<int>(0);
        task.runInSlices([steps](TaskControl &) { return ++*steps == 50; },
                         [&delivered, value, steps] { delivered.append(*steps == 50 ? value : -value); });
    };
    if (how == "restart") {
        task.run(endless(1), record);
        task.run([](TaskControl &) { return 2; }, record);
    } else if (how == "cancel") {
        task.run(endless(1), record);
        task.cancel();
    } else if (how == "wait") {
        task.run([](TaskControl &) { QThread::msleep(20); return 1; }, record);
        task.waitForFinished();
        QCOMPARE(delivered, expected); // before any event ran
    } else if (how == "stop") {
        task.run(endless(1), record);
        task.requestStop();
    } else if (how == "sliced restart") {
        slices(1);
        slices(2);
    } else if (how == "sliced wait") {
        slices(1);
        task.waitForFinished();
        QCOMPARE(delivered, expected);
    } else if (how == "restart in step") {
        task.runInSlices([&](TaskControl &) { slices(2); return true; }, [&] { record(1); });
    }
    QTRY_VERIFY(!task.isRunning());
    QTest::qWait(20); // a stale report from a dropped worker would come now
    QCOMPARE(delivered, expected);
    QCOMPARE(bool(sawStop), stopped);
}

void TaskTest::slicesLeaveEventsRunning()
{
    Task task;
    task.setSliceBudget(std::chrono::milliseconds(2));
    int timerTicks = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++timerTicks; });
    ticker.start(1);
    // The ticks seen at the start of each slice: a timer that came due
    // during a slice runs before the next slice.
    QList<int> ticksAtSlice;
    bool done = false;
    task.runInSlices([&](TaskControl &control) {
        ticksAtSlice.append(timerTicks);
        while (!control.sliceOver()) {
        }
        return ticksAtSlice.size() == 30;
    }, [&] { done = true; });
    QTRY_VERIFY(done);
    QCOMPARE(ticksAtSlice.size(), 30);
    for (qsizetype i = 1; i < ticksAtSlice.size(); ++i)
        QVERIFY2(ticksAtSlice[i] > ticksAtSlice[i - 1], qPrintable(QString::number(i)));
}

// A step may close and delete the window that owns the task, and the task
// with it: nothing of the task is touched after, nothing is delivered.
void TaskTest::stepMayDeleteTheTask()
{
    auto *task = new Task;
    const QPointer<Task> alive(task);
    bool delivered = false;
    task->runInSlices([task](TaskControl &) {
        delete task;
        return true;
    }, [&] { delivered = true; });
    QTRY_VERIFY(alive.isNull());
    QTest::qWait(20);
    QVERIFY(!delivered);
}

void TaskTest::searchInSteps_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qsizetype>("hitBudget");
    QTest::addColumn<QList<qsizetype>>("hits");
    QStringList many;
    for (int i = 0; i < 5000; ++i)
        many << (i % 1500 == 7 ? QStringLiteral("\\Ωmega%1").arg(i) : QStringLiteral("\\x%1").arg(i));
    QTest::newRow("none") << QStringList{"\\a", "\\b"} << "zz" << qsizetype(-1) << QList<qsizetype>{};
    QTest::newRow("blanks trimmed, case folded")
        << QStringList{"\\A", "\\ba", "\\c"} << "  A " << qsizetype(-1) << QList<qsizetype>{0, 1};
    QTest::newRow("over many blocks, Greek folded")
        << many << "ωMEGA" << qsizetype(-1) << QList<qsizetype>{7, 1507, 3007, 4507};
    QTest::newRow("one hit per step")
        << many << "ωmega" << qsizetype(1) << QList<qsizetype>{7, 1507, 3007, 4507};
    // More hits than one chunk holds, taken as one list.
    const QStringList all(70000, QStringLiteral("\\x"));
    QList<qsizetype> every(all.size());
    std::iota(every.begin(), every.end(), 0);
    QTest::newRow("hits over several chunks") << all << "x" << qsizetype(-1) << every;
}

void TaskTest::searchInSteps()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, typed);
    QFETCH(qsizetype, hitBudget);
    QFETCH(QList<qsizetype>, hits);
    LineStore store;
    for (const QString &line : lines)
        store.append(line);
    LineSearch search(store, typed);
    search.setHitBudget(hitBudget);
    std::vector<qsizetype> found;
    TaskControl control;
    int steps = 0;
    for (bool over = false; !over; ++steps) {
        over = search.step(control);
        for (const auto &chunk : search.takeChunks())
            found.insert(found.end(), chunk.begin(), chunk.end());
    }
    if (hitBudget < 0) { // the same search run to its end, as kobrix-cli does
        LineSearch whole(store, typed);
        whole.finish();
        QCOMPARE(whole.takeHits(), found);
    }
    QCOMPARE(QList<qsizetype>(found.begin(), found.end()), hits);
    QCOMPARE(search.hitCount(), hits.size());
    QCOMPARE(search.percentDone(), 100);
    // One hit per block here, the last in the last block: a step per hit.
    if (hitBudget == 1)
        QCOMPARE(steps, hits.size());
}

void TaskTest::searchTextChangesHalfWay()
{
    LineStore store;
    for (int i = 0; i < 4096; ++i)
        store.append(i < 2048 ? QStringLiteral("\\old") : QStringLiteral("\\new"));
    LineSearch search(store, QStringLiteral("new"));
    search.setHitBudget(0); // one block per step
    TaskControl control;
    search.step(control);
    search.setText(QStringLiteral("old"));
    search.finish();
    // The first block was searched for "new", the rest for "old".
    QCOMPARE(search.hitCount(), 2048 - 1024);
    QCOMPARE(search.takeHits().front(), 1024);
}

QTEST_GUILESS_MAIN(TaskTest)
#include "tst_session_task.moc"
