#include "platform/DiscArrivals.h"

#include <QCoreApplication>

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

std::unique_ptr<DiscArrivals> systemDiscArrivals()
{
    return std::make_unique<NoDiscArrivals>();
}

} // namespace kobrix
