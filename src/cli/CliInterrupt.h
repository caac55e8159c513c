#pragma once

#include <QObject>

namespace kobrix::cli {

// Ctrl+C told through the event loop instead of ending the program, while
// this object lives: SIGINT on POSIX systems, the console's Ctrl+C on
// Windows. One at a time. Each platform has its own
// (CliInterrupt_posix.cpp, CliInterrupt_win.cpp).
class InterruptNotice : public QObject
{
    Q_OBJECT

public:
    explicit InterruptNotice(QObject *parent = nullptr);
    ~InterruptNotice() override; // Ctrl+C ends the program again

Q_SIGNALS:
    void interrupted();

private:
    struct Handler;
    Handler *m_handler = nullptr;
};

} // namespace kobrix::cli
