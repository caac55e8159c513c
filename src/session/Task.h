#pragma once

#include <QObject>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>

class QTimer;

namespace kobrix {

// What a task's work sees of its owner: whether it is asked to stop, where
// to report how far it got, and (for work in time slices) whether the
// slice's time is up. Safe to use from the worker thread.
class TaskControl
{
public:
    bool stopRequested() const { return m_stop.load(std::memory_order_relaxed); }
    // The same flag, for core routines that take one (DiscWalker::run(),
    // DiscRecognition::compareWith()).
    const std::atomic<bool> *stopFlag() const { return &m_stop; }
    void requestStop() { m_stop.store(true, std::memory_order_relaxed); }
    // How far the work got, in whatever unit it counts (files, lines...).
    void setProgress(qint64 done) { m_progress.store(done, std::memory_order_relaxed); }
    qint64 progress() const { return m_progress.load(std::memory_order_relaxed); }
    // For work in slices: true once the slice has had its time. Always false
    // for work that runs to its end in one go (a worker thread, kobrix-cli).
    bool sliceOver() const;

private:
    friend class Task;
    void reset();
    void startSlice(std::chrono::nanoseconds budget);

    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_progress{0};
    std::chrono::steady_clock::time_point m_sliceEnd{};
    bool m_sliced = false;
};

// One way to run long work so that the window that asked for it goes on
// answering: on a worker thread, or in time slices between the events of
// the owner's thread. Either way the result is handed by value to `done` on
// the owner's thread, and only for the latest start: each start takes a new
// generation, and the end of work that was dropped (by a new start, by
// cancel() or by the destructor) is never delivered.
//
// The work must not touch widgets; what it reads must stay unchanged until
// its result arrives. kobrix-cli runs the same work where it stands, with
// runHere() and finishHere().
class Task : public QObject
{
    Q_OBJECT

public:
    explicit Task(QObject *parent = nullptr);
    ~Task() override; // drops a running task and waits for its thread

    // Runs work(control) on a worker thread, then done(result) here (done()
    // for work that hands nothing back).
    template <typename Work, typename Done>
    void run(Work work, Done done)
    {
        using Result = std::invoke_result_t<Work &, TaskControl &>;
        if constexpr (std::is_void_v<Result>) {
            startThread(std::move(work), std::move(done));
        } else {
            auto slot = std::make_shared<std::optional<Result>>();
            startThread([work = std::move(work), slot](TaskControl &control) mutable {
                slot->emplace(work(control));
            }, [done = std::move(done), slot]() mutable { done(std::move(**slot)); });
        }
    }

    // Calls step(control) once per round of events on this thread until it
    // returns true (each call works until control.sliceOver()), then done().
    void runInSlices(std::function<bool(TaskControl &)> step, std::function<void()> done);

    // Work of a background task run to its end on the calling thread, as
    // kobrix-cli and tests do.
    template <typename Work>
    static auto runHere(Work work)
    {
        TaskControl control;
        return work(control);
    }
    // The steps of a sliced task run to their end on the calling thread.
    static void finishHere(const std::function<bool(TaskControl &)> &step);

    // Asks the running work to stop early; its result still arrives (work
    // that looks at stopRequested() hands back what it has).
    void requestStop() { m_control.requestStop(); }
    // Drops the running work: asks it to stop, waits for its thread, and
    // never delivers its result.
    void cancel();
    // Blocks until the running work is over and delivers its result now,
    // for when the event loop that would deliver it is gone (the program
    // quits). Work in slices is run to its end.
    void waitForFinished();

    bool isRunning() const { return m_running; }
    // How far the running work got (TaskControl::setProgress()).
    qint64 progress() const { return m_control.progress(); }
    // Work between two rounds of events for work in slices.
    void setSliceBudget(std::chrono::nanoseconds budget) { m_sliceBudget = budget; }
    // The interval of progressed() while work runs; 0 (the default) for none.
    void setProgressInterval(std::chrono::milliseconds interval);

Q_SIGNALS:
    // How far the running work got, every progress interval and once at its
    // end, before its result is delivered.
    void progressed(qint64 done);

private:
    void startThread(std::function<void(TaskControl &)> work, std::function<void()> deliver);
    void workerDone(quint64 generation);
    void sliceDue();
    void finish();
    void join();

    TaskControl m_control;
    std::thread m_worker;
    std::function<bool(TaskControl &)> m_step; // work in slices
    std::function<void()> m_deliver;
    QTimer *m_sliceTimer = nullptr;
    QTimer *m_progressTimer = nullptr;
    // Well under the 50 ms a user notices, even when a slice runs long on a
    // busy machine; the work loses little to it.
    std::chrono::nanoseconds m_sliceBudget = std::chrono::milliseconds(10);
    quint64 m_generation = 0; // which start a worker's report belongs to
    bool m_running = false;
};

} // namespace kobrix
