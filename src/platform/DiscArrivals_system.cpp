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

} // namespace

// Linux: UDisks2 on the system bus where it runs (it also mounts the disc,
// as the desktop would), the kernel's own device events where it does not.
std::unique_ptr<DiscArrivals> systemDiscArrivals()
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

} // namespace kobrix
