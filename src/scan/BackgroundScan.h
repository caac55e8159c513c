#pragma once

#include "core/LineStore.h"
#include "core/RuntimeError.h"
#include "scan/DirectoryReader.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>

namespace kobrix {

// Walks a disc on a worker thread, so the window stays responsive while a
// slow disc or a large folder is read. The walk fills lists of its own; the
// owner takes them when finished() arrives. While it runs, progress() reports
// the number of files found so far a few times a second.
class BackgroundScan : public QObject
{
    Q_OBJECT

public:
    explicit BackgroundScan(QObject *parent = nullptr);
    ~BackgroundScan() override; // cancels a running walk and waits for it

    // Starts walking root with reader. Only one walk at a time.
    void start(std::unique_ptr<DirectoryReader> reader, const QString &root);
    // The same with a reader the caller keeps alive until finished().
    void start(DirectoryReader &reader, const QString &root);
    // Asks the walk to stop; finished() follows with wasCancelled() true and
    // no error, as DiscWalker::cancel() leaves a walk (unless the walk was
    // over by then).
    void cancel();
    // Blocks until the walk is over and its results are ready (finished()
    // is emitted from here if it has not been yet). For when the event loop
    // that would deliver finished() is gone, as when the program quits.
    void waitForFinished();

    bool isRunning() const { return m_running; }
    qsizetype filesFound() const { return m_filesFound.load(std::memory_order_relaxed); }

    // Results, valid after finished().
    LineStore &listing() { return m_listing; }
    LineStore &directories() { return m_directories; }
    RuntimeError error() const { return m_error; }
    QString failedPath() const { return m_failedPath; }
    bool wasCancelled() const { return m_cancelled; }

Q_SIGNALS:
    void progress(qsizetype filesFound);
    void finished();

private:
    void join();
    void workerDone();

    std::unique_ptr<DirectoryReader> m_ownedReader;
    std::thread m_worker;
    std::atomic<bool> m_cancel{false};
    std::atomic<qsizetype> m_filesFound{0};
    QTimer m_progressTimer;
    LineStore m_listing;
    LineStore m_directories;
    RuntimeError m_error;
    QString m_failedPath;
    bool m_running = false;
    bool m_cancelled = false;
    bool m_workerCancelled = false; // written by the worker before it ends
};

} // namespace kobrix
