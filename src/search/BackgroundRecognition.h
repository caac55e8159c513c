#pragma once

#include "core/LineStore.h"
#include "core/RuntimeError.h"
#include "search/DiscRecognition.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>

namespace kobrix {

// Recognises a scanned disc (DiscRecognition) on a worker thread, so the
// window goes on answering while a large catalog is read. The listing is
// copied when the comparison starts; finished() arrives on the owner's
// thread.
class BackgroundRecognition : public QObject
{
    Q_OBJECT

public:
    explicit BackgroundRecognition(QObject *parent = nullptr);
    ~BackgroundRecognition() override; // cancels a running comparison and waits for it

    // Compares listing with the discs of the catalog. A comparison still
    // running is cancelled first; its finished() never comes.
    void start(const QString &catalogPath, const LineStore &listing);
    // Stops a running comparison; no finished() follows.
    void cancel();
    bool isRunning() const { return m_running; }

    // Valid after finished().
    const QString &catalogPath() const { return m_catalogPath; }
    const DiscRecognition &result() const { return *m_recognition; }
    RuntimeError error() const { return m_error; }

Q_SIGNALS:
    void finished();

private:
    void stopWorker();
    void workerDone(unsigned generation);

    std::thread m_worker;
    std::atomic<bool> m_cancel{false};
    std::unique_ptr<DiscRecognition> m_recognition;
    QString m_catalogPath;
    RuntimeError m_error;
    unsigned m_generation = 0; // tells a cancelled comparison's end from the current one's
    bool m_running = false;
};

} // namespace kobrix
