#pragma once

#include <QObject>

#include <functional>
#include <thread>

namespace kobrix {

// Runs one piece of long work at a time on a worker thread, so that the
// window that asked for it keeps answering, and hands the end back to the
// window's thread: `done` runs there once the work is over and its results
// are visible. The work must not touch widgets; what it reads must stay
// unchanged, and what it writes untouched by others, until `done` runs.
//
// Work cannot be stopped half-way; a job that is dropped (by a new start, by
// forget() or by the destructor) waits for its work to end and never runs its
// `done`.
class BackgroundJob : public QObject
{
    Q_OBJECT

public:
    explicit BackgroundJob(QObject *parent = nullptr);
    ~BackgroundJob() override;

    // Starts work; a job still running is dropped first.
    void start(std::function<void()> work, std::function<void()> done);
    // Drops the running job, if any.
    void forget();
    bool isRunning() const { return m_running; }

private:
    void workerDone(quint64 generation);
    void join();

    std::thread m_worker;
    std::function<void()> m_done;
    quint64 m_generation = 0; // which start() a worker's report belongs to
    bool m_running = false;
};

} // namespace kobrix
