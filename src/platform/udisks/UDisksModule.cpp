// The entry point of the UDisks2 module (UDisksModule.h).

#include "platform/udisks/UDisksModule.h"

#include "platform/udisks/UDisksArrivals.h"

#include <QtGlobal>

using namespace kobrix;

namespace {

UDisksArrivals &watcherOf(void *watcher)
{
    return *static_cast<UDisksArrivals *>(watcher);
}

} // namespace

extern "C" Q_DECL_EXPORT int kobrix_udisks_arrivals(UDisksModuleCall *call)
{
    if (call->version != kUDisksModuleVersion)
        return kUDisksModuleVersion;
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!UDisksArrivals::available(bus))
        return 0;
    auto *watcher = new UDisksArrivals(bus);
    const UDisksModuleCall news = *call;
    QObject::connect(watcher, &DiscArrivals::discArrived, watcher,
                     [news](const QString &drive, const DiscLocation &disc) {
                         news.arrived(news.owner, drive, disc.kind == DiscLocation::Kind::Folder,
                                      disc.path);
                     });
    QObject::connect(watcher, &DiscArrivals::discRemoved, watcher,
                     [news](const QString &drive) { news.removed(news.owner, drive); });
    QObject::connect(watcher, &DiscArrivals::ejectFailed, watcher,
                     [news](const QString &drive, const RuntimeError &error) {
                         news.ejectFailed(news.owner, drive, error.number(), error.description());
                     });
    call->watcher = watcher;
    call->watch = [](void *w, const QString &drive, QString *error) {
        return watcherOf(w).watch(drive, error);
    };
    call->stopWatching = [](void *w) { watcherOf(w).stopWatching(); };
    call->eject = [](void *w, const QString &drive, QString *description) {
        const RuntimeError error = watcherOf(w).eject(drive);
        if (description)
            *description = error.description();
        return error.number();
    };
    call->destroy = [](void *w) { delete &watcherOf(w); };
    return 0;
}
