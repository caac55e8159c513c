#include "cli/CliInterrupt.h"

#include <QMetaObject>

#include <atomic>
#include <csignal>

namespace kobrix::cli {

namespace {

// The runtime calls the handler on a thread of its own for the console's
// Ctrl+C; the notice is handed to the object's thread through its events.
std::atomic<InterruptNotice *> listener{nullptr};

extern "C" void onInterrupt(int)
{
    std::signal(SIGINT, &onInterrupt); // the runtime resets it for each signal
    if (InterruptNotice *notice = listener.load())
        QMetaObject::invokeMethod(notice, &InterruptNotice::interrupted, Qt::QueuedConnection);
}

} // namespace

struct InterruptNotice::Handler
{
    void (*previous)(int) = nullptr;
};

InterruptNotice::InterruptNotice(QObject *parent)
    : QObject(parent)
    , m_handler(new Handler)
{
    listener.store(this);
    m_handler->previous = std::signal(SIGINT, &onInterrupt);
}

InterruptNotice::~InterruptNotice()
{
    std::signal(SIGINT, m_handler->previous == SIG_ERR ? SIG_DFL : m_handler->previous);
    listener.store(nullptr);
    delete m_handler;
}

} // namespace kobrix::cli
