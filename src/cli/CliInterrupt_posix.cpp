#include "cli/CliInterrupt.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace kobrix::cli {

namespace {

// The handler only writes a byte into a pipe, which is all a signal handler
// may safely do; the event loop reads it.
int interruptPipe[2] = {-1, -1};

extern "C" void onInterrupt(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(interruptPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

struct InterruptNotice::Handler
{
    struct sigaction previous {};
    QSocketNotifier *notifier = nullptr;
};

InterruptNotice::InterruptNotice(QObject *parent)
    : QObject(parent)
{
    if (::pipe(interruptPipe) != 0)
        return;
    for (int fd : interruptPipe)
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    fcntl(interruptPipe[1], F_SETFL, O_NONBLOCK);
    m_handler = new Handler;
    m_handler->notifier = new QSocketNotifier(interruptPipe[0], QSocketNotifier::Read, this);
    connect(m_handler->notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        [[maybe_unused]] const auto got = ::read(interruptPipe[0], bytes, sizeof bytes);
        Q_EMIT interrupted();
    });
    struct sigaction action {};
    action.sa_handler = &onInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read of the terminal that waits for a disc's name
    // ends on Ctrl+C.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, &m_handler->previous);
}

InterruptNotice::~InterruptNotice()
{
    if (!m_handler)
        return;
    sigaction(SIGINT, &m_handler->previous, nullptr);
    delete m_handler->notifier;
    delete m_handler;
    ::close(interruptPipe[0]);
    ::close(interruptPipe[1]);
    interruptPipe[0] = interruptPipe[1] = -1;
}

} // namespace kobrix::cli
