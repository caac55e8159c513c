#include "scan/BackgroundScan.h"

#include "scan/DiscWalker.h"

#include <QMetaObject>

namespace kobrix {

BackgroundScan::BackgroundScan(QObject *parent) : QObject(parent)
{
    m_progressTimer.setInterval(100);
    connect(&m_progressTimer, &QTimer::timeout, this, [this] { Q_EMIT progress(filesFound()); });
}

BackgroundScan::~BackgroundScan()
{
    m_cancel = true;
    join();
}

void BackgroundScan::join()
{
    if (m_worker.joinable())
        m_worker.join();
}

void BackgroundScan::start(std::unique_ptr<DirectoryReader> reader, const QString &root)
{
    if (m_running)
        return;
    join();
    m_ownedReader = std::move(reader);
    start(*m_ownedReader, root);
}

void BackgroundScan::start(DirectoryReader &reader, const QString &root)
{
    if (m_running)
        return;
    join();
    m_listing.clear();
    m_directories.clear();
    m_error = RuntimeError();
    m_failedPath.clear();
    m_cancel = false;
    m_cancelled = false;
    m_filesFound = 0;
    m_running = true;
    m_progressTimer.start();

    m_worker = std::thread([this, &reader, root] {
        DiscWalker walker(reader, root, m_directories, m_listing);
        while (walker.step()) {
            m_filesFound.store(walker.filesFound(), std::memory_order_relaxed);
            if (m_cancel.load(std::memory_order_relaxed))
                walker.cancel();
        }
        m_filesFound.store(walker.filesFound(), std::memory_order_relaxed);
        m_workerCancelled = walker.wasCancelled();
        m_error = walker.error();
        m_failedPath = walker.failedPath();
        // Hand the end over to the owner's thread.
        QMetaObject::invokeMethod(this, &BackgroundScan::workerDone, Qt::QueuedConnection);
    });
}

void BackgroundScan::waitForFinished()
{
    join();
    workerDone();
}

void BackgroundScan::workerDone()
{
    if (!m_running)
        return; // already wrapped up by waitForFinished()
    join(); // the worker's results are visible from here on
    m_cancelled = m_workerCancelled;
    m_progressTimer.stop();
    m_running = false;
    m_ownedReader.reset();
    Q_EMIT progress(filesFound());
    Q_EMIT finished();
}

void BackgroundScan::cancel() { m_cancel = true; }

} // namespace kobrix
