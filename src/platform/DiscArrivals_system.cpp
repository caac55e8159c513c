#include "platform/DiscArrivals.h"

#include <QCoreApplication>

#if defined(Q_OS_LINUX)
#include "platform/ProgramLocation.h"
#include "platform/UeventArrivals.h"
#include "platform/udisks/UDisksModule.h"

#include <QLibrary>
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

#if defined(Q_OS_LINUX)
// The UDisks2 watcher of the module (UDisksModule.h), as a watcher of this
// program: its news come through the module's calls.
class ModuleDiscArrivals : public DiscArrivals
{
public:
    ~ModuleDiscArrivals() override
    {
        if (m_call.watcher)
            m_call.destroy(m_call.watcher);
    }
    bool watch(const QString &drive, QString *error) override
    {
        return m_call.watch(m_call.watcher, drive, error);
    }
    void stopWatching() override { m_call.stopWatching(m_call.watcher); }
    RuntimeError eject(const QString &drive) override
    {
        QString description;
        const int number = m_call.eject(m_call.watcher, drive, &description);
        return number ? RuntimeError(number, description) : RuntimeError();
    }

    // Asks the module for its watcher: false when it is of another build;
    // without a watcher when UDisks2 does not run.
    bool open(UDisksEntry entry)
    {
        m_call.owner = this;
        m_call.arrived = [](void *owner, const QString &drive, bool mounted, const QString &path) {
            Q_EMIT static_cast<ModuleDiscArrivals *>(owner)->discArrived(
                drive, DiscLocation{mounted ? DiscLocation::Kind::Folder : DiscLocation::Kind::Device, path});
        };
        m_call.removed = [](void *owner, const QString &drive) {
            Q_EMIT static_cast<ModuleDiscArrivals *>(owner)->discRemoved(drive);
        };
        m_call.ejectFailed = [](void *owner, const QString &drive, int number, const QString &description) {
            Q_EMIT static_cast<ModuleDiscArrivals *>(owner)->ejectFailed(drive, RuntimeError(number, description));
        };
        return entry(&m_call) == 0;
    }
    bool hasWatcher() const { return m_call.watcher != nullptr; }

private:
    UDisksModuleCall m_call;
};

// UDisks2's watcher where the module loads and UDisks2 runs on the system
// bus; null otherwise. The module stays loaded until the program ends.
std::unique_ptr<DiscArrivals> udisksWatcher()
{
    for (const QString &candidate : moduleCandidates(QLatin1String(kUDisksModuleName))) {
        QLibrary library(candidate);
        if (!library.load())
            continue;
        const auto entry = reinterpret_cast<UDisksEntry>(library.resolve(kUDisksEntryName));
        auto watcher = std::make_unique<ModuleDiscArrivals>();
        if (!entry || !watcher->open(entry))
            continue;
        return watcher->hasWatcher() ? std::move(watcher) : nullptr;
    }
    return nullptr;
}
#endif

// Linux: UDisks2 on the system bus where it runs (it also mounts the disc,
// as the desktop would), the kernel's own device events where it does not.
std::unique_ptr<DiscArrivals> makeWatcher()
{
#if defined(Q_OS_LINUX)
    if (std::unique_ptr<DiscArrivals> udisks = udisksWatcher())
        return udisks;
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
            connect(m_watcher.get(), &DiscArrivals::ejectFailed, this, &DiscArrivals::ejectFailed);
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
