#include "ui/common/BackgroundJob.h"

#include <QMetaObject>

namespace kobrix {

BackgroundJob::BackgroundJob(QObject *parent)
    : QObject(parent)
{}

BackgroundJob::~BackgroundJob()
{
    forget();
}

void BackgroundJob::join()
{
    if (m_worker.joinable())
        m_worker.join();
}

void BackgroundJob::start(std::function<void()> work, std::function<void()> done)
{
    forget();
    m_done = std::move(done);
    m_running = true;
    const quint64 generation = ++m_generation;
    m_worker = std::thread([this, work = std::move(work), generation] {
        work();
        // The report is queued to this object's thread; a job forgotten in
        // the meantime ignores it by its number.
        QMetaObject::invokeMethod(
            this, [this, generation] { workerDone(generation); }, Qt::QueuedConnection);
    });
}

void BackgroundJob::forget()
{
    ++m_generation;
    join();
    m_running = false;
    m_done = nullptr;
}

void BackgroundJob::workerDone(quint64 generation)
{
    if (generation != m_generation || !m_running)
        return;
    join(); // the work's results are visible from here on
    m_running = false;
    // done may start the next job: it is taken out first.
    const std::function<void()> done = std::move(m_done);
    m_done = nullptr;
    if (done)
        done();
}

} // namespace kobrix
