#pragma once

#include "core/RuntimeError.h"
#include "platform/DriveSource.h"

#include <QObject>
#include <QString>

#include <memory>

namespace kobrix {

// Tells when a disc goes into or comes out of a drive, without polling the
// disc itself, and opens the drive's tray. One drive is watched at a time.
class DiscArrivals : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts listening to a drive ("/dev/sr0", "D:\"). False, with the
    // reason in error, when the drive cannot be watched. A disc already in
    // the drive when watching starts arrives once the events run.
    virtual bool watch(const QString &drive, QString *error) = 0;
    virtual void stopWatching() = 0;
    // Opens the drive's tray.
    virtual RuntimeError eject(const QString &drive) = 0;

Q_SIGNALS:
    // A disc is in the drive and can be read now: at a mount point (a
    // folder) or from the device itself, read as a disc image.
    void discArrived(const QString &drive, const kobrix::DiscLocation &disc);
    void discRemoved(const QString &drive);
    // The drive refused to open its tray after eject() had sent the request
    // on and returned: a watcher that asks another process waits for no
    // tray on the caller's thread.
    void ejectFailed(const QString &drive, const kobrix::RuntimeError &error);
};

// The watcher of the machine the program runs on.
std::unique_ptr<DiscArrivals> systemDiscArrivals();

} // namespace kobrix
