#include "session/Task.h"

#include <QMetaObject>
#include <QPointer>
#include <QTimer>

namespace kobrix {

bool TaskControl::sliceOver() const
{
    return m_sliced && std::chrono::steady_clock::now() >= m_sliceEnd;
}

void TaskControl::reset()
{
    m_stop.store(false, std::memory_order_relaxed);
    m_progress.store(0, std::memory_order_relaxed);
    m_sliced = false;
}

void TaskControl::startSlice(std::chrono::nanoseconds budget)
{
    m_sliced = true;
    m_sliceEnd = std::chrono::steady_clock::now() + budget;
}

Task::Task(QObject *parent)
    : QObject(parent)
    , m_sliceTimer(new QTimer(this))
    , m_progressTimer(new QTimer(this))
{
    // A zero interval: one slice per round of events, painting and input
    // handled between them. Started anew after each slice, so that every
    // timer that came due during the slice runs before the next one: a
    // repeating timer would be due again at once and run two slices in a
    // row before a timer due meanwhile.
    m_sliceTimer->setInterval(0);
    m_sliceTimer->setSingleShot(true);
    connect(m_sliceTimer, &QTimer::timeout, this, &Task::sliceDue);
    connect(m_progressTimer, &QTimer::timeout, this,
            [this] { Q_EMIT progressed(m_control.progress()); });
}

Task::~Task()
{
    cancel();
}

void Task::setProgressInterval(std::chrono::milliseconds interval)
{
    m_progressTimer->setInterval(interval);
    if (interval.count() == 0)
        m_progressTimer->stop();
}

void Task::join()
{
    if (m_worker.joinable())
        m_worker.join();
}

// The one place where the program's work starts a thread of its own.
void Task::startThread(std::function<void(TaskControl &)> work, std::function<void()> deliver)
{
    cancel();
    m_deliver = std::move(deliver);
    m_running = true;
    const quint64 generation = ++m_generation;
    if (m_progressTimer->interval() > 0)
        m_progressTimer->start();
    m_worker = std::thread([this, work = std::move(work), generation]() mutable {
        work(m_control);
        // The end is queued to this object's thread; work dropped in the
        // meantime is told apart by its generation.
        QMetaObject::invokeMethod(
            this, [this, generation] { workerDone(generation); }, Qt::QueuedConnection);
    });
}

void Task::runInSlices(std::function<bool(TaskControl &)> step, std::function<void()> done)
{
    cancel();
    m_step = std::move(step);
    m_deliver = std::move(done);
    m_running = true;
    ++m_generation;
    if (m_progressTimer->interval() > 0)
        m_progressTimer->start();
    m_sliceTimer->start();
}

void Task::finishHere(const std::function<bool(TaskControl &)> &step)
{
    TaskControl control;
    while (!step(control)) {
    }
}

void Task::sliceDue()
{
    if (!m_step)
        return;
    m_control.startSlice(m_sliceBudget);
    // The step may start other work, even on this task: it is held here.
    const std::function<bool(TaskControl &)> step = m_step;
    const quint64 generation = m_generation;
    // The step may even delete the owner, and this task with it (a window
    // closed and deleted by a handler of what the step showed).
    const QPointer<Task> self(this);
    const bool over = step(m_control);
    if (!self || generation != m_generation)
        return;
    if (over)
        finish();
    else
        m_sliceTimer->start();
}

void Task::workerDone(quint64 generation)
{
    if (generation != m_generation || !m_running)
        return;
    join(); // the work's results are visible from here on
    finish();
}

void Task::finish()
{
    m_sliceTimer->stop();
    m_progressTimer->stop();
    m_step = nullptr;
    m_running = false;
    Q_EMIT progressed(m_control.progress());
    m_control.reset();
    // done may start the next work, even on this task: it is taken out first.
    const std::function<void()> deliver = std::move(m_deliver);
    m_deliver = nullptr;
    if (deliver)
        deliver();
}

void Task::cancel()
{
    ++m_generation;
    m_control.requestStop();
    join();
    m_sliceTimer->stop();
    m_progressTimer->stop();
    m_step = nullptr;
    m_deliver = nullptr;
    m_running = false;
    m_control.reset();
}

void Task::waitForFinished()
{
    if (!m_running)
        return;
    if (m_step) {
        m_sliceTimer->stop();
        m_control.reset();
        const std::function<bool(TaskControl &)> step = m_step;
        while (!step(m_control)) {
        }
    } else {
        join();
    }
    ++m_generation; // a queued report from the worker is now stale
    finish();
}

} // namespace kobrix
