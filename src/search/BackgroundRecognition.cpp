#include "search/BackgroundRecognition.h"

#include <QMetaObject>

namespace kobrix {

BackgroundRecognition::BackgroundRecognition(QObject *parent) : QObject(parent) {}

BackgroundRecognition::~BackgroundRecognition() { stopWorker(); }

void BackgroundRecognition::stopWorker()
{
    m_cancel = true;
    if (m_worker.joinable())
        m_worker.join();
    m_running = false;
    ++m_generation; // the end it may have queued is ignored
}

void BackgroundRecognition::cancel() { stopWorker(); }

void BackgroundRecognition::start(const QString &catalogPath, const LineStore &listing)
{
    stopWorker();
    m_cancel = false;
    m_catalogPath = catalogPath;
    m_error = RuntimeError();
    m_recognition = std::make_unique<DiscRecognition>(listing);
    m_running = true;
    const unsigned generation = m_generation;
    DiscRecognition *recognition = m_recognition.get();
    m_worker = std::thread([this, recognition, catalogPath, generation] {
        m_error = recognition->compareWith(catalogPath, &m_cancel);
        QMetaObject::invokeMethod(
            this, [this, generation] { workerDone(generation); }, Qt::QueuedConnection);
    });
}

void BackgroundRecognition::workerDone(unsigned generation)
{
    if (generation != m_generation || !m_running)
        return;
    if (m_worker.joinable())
        m_worker.join(); // the results are visible from here on
    m_running = false;
    if (m_recognition->wasCancelled())
        return;
    Q_EMIT finished();
}

} // namespace kobrix
