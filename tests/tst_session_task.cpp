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
    QTest::newRow("restart drops the first") << "restart" << QList<int>{2};
    QTest::newRow("cancel") << "cancel" << QList<int>{};
    QTest::newRow("waitForFinished delivers now") << "wait" << QList<int>{1};
    QTest::newRow("requestStop still delivers") << "stop" << QList<int>{-1};
    QTest::newRow("sliced restart") << "sliced restart" << QList<int>{2};
    QTest::newRow("sliced wait runs to the end") << "sliced wait" << QList<int>{1};
}

void TaskTest::droppedWorkIsNeverDelivered()
{
    QFETCH(QString, how);
    QFETCH(QList<int>, expected);
    Task task;
    QList<int> delivered;
    // Work that runs until asked to stop, then says so by -1.
    auto endless = [](int value) {
        return [value](TaskControl &control) {
            for (int i = 0; i < 200 && !control.stopRequested(); ++i)
                QThread::msleep(5);
            return control.stopRequested() ? -1 : value;
        };
    };
    auto record = [&](int value) { delivered.append(value); };
    auto slices = [&](int value) {
        auto steps = std::make_shared<int>(0);
        task.runInSlices([steps](TaskControl &) { return ++*steps == 50; },
                         [&delivered, value] { delivered.append(value); });
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
    }
    QTRY_VERIFY(!task.isRunning());
    QTest::qWait(20); // a stale report from a dropped worker would come now
    QCOMPARE(delivered, expected);
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
