#include "platform/DiscArrivals.h"

#include <QCoreApplication>

#if defined(KOBRIX_HAVE_UDISKS)
#include "platform/udisks/UDisksArrivals.h"
#endif
#if defined(Q_OS_LINUX)
#include "platform/UeventArrivals.h"
#elif defined(Q_OS_WIN)
#include "platform/WindowsDiscArrivals.h"
#endif

namespace kobrix {

namespace {

// A system whose disc insertions the program cannot notice: watching fails
// with a message saying so, and the tray cannot be opened.
class NoDiscArrivals : public DiscArrivals
{
public:
    bool watch(const QString &, QString *error) override
    {
        if (error)
            *error = QCoreApplication::translate("DiscArrivals",
                                                 "Noticing discs is not supported here");
        return false;
    }
    void stopWatching() override {}
    RuntimeError eject(const QString &) override { return RuntimeError(DeviceUnavailable); }
};

// Linux: UDisks2 on the system bus where it runs (it also mounts the disc,
// as the desktop would), the kernel's own device events where it does not.
std::unique_ptr<DiscArrivals> makeWatcher()
{
#if defined(KOBRIX_HAVE_UDISKS)
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (UDisksArrivals::available(bus))
        return std::make_unique<UDisksArrivals>(bus);
#endif
#if defined(Q_OS_LINUX)
    return std::make_unique<UeventArrivals>();
#elif defined(Q_OS_WIN)
    return std::make_unique<WindowsDiscArrivals>();
#else
    return std::make_unique<NoDiscArrivals>();
#endif
}

// The watcher is chosen, and the system bus asked, only when a drive is
// first watched or ejected: the program starts without either.
class SystemDiscArrivals : public DiscArrivals
{
public:
    bool watch(const QString &drive, QString *error) override
    {
        return watcher().watch(drive, error);
    }
    void stopWatching() override
    {
        if (m_watcher)
            m_watcher->stopWatching();
    }
    RuntimeError eject(const QString &drive) override { return watcher().eject(drive); }

private:
    DiscArrivals &watcher()
    {
        if (!m_watcher) {
            m_watcher = makeWatcher();
            connect(m_watcher.get(), &DiscArrivals::discArrived, this, &DiscArrivals::discArrived);
            connect(m_watcher.get(), &DiscArrivals::discRemoved, this, &DiscArrivals::discRemoved);
        }
        return *m_watcher;
    }

    std::unique_ptr<DiscArrivals> m_watcher;
};

} // namespace

std::unique_ptr<DiscArrivals> systemDiscArrivals()
{
    return std::make_unique<SystemDiscArrivals>();
}

} // namespace kobrix
