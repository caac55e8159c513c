#pragma once

#include "platform/DiscArrivals.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QHash>
#include <QString>
#include <QVariantMap>

#include <functional>

class QDBusMessage;

namespace kobrix {

// Discs coming and going as UDisks2 tells them over D-Bus: the drive
// object's org.freedesktop.UDisks2.Drive (MediaAvailable) and its block
// device's Block and Filesystem interfaces (the mount points). Nothing is
// polled; the daemon's signals wake the program. A disc with a file system
// that nobody mounted is mounted through UDisks2 (without asking the user
// for a password); one that cannot be mounted, or has no file system UDisks2
// knows, is read from the device.
class UDisksArrivals : public DiscArrivals
{
    Q_OBJECT

public:
    // The connection is the system bus for the machine's drives, a private
    // bus in tests.
    explicit UDisksArrivals(QDBusConnection bus, QObject *parent = nullptr);
    ~UDisksArrivals() override;

    // Whether the bus has a UDisks2 daemon, running or one it starts when
    // asked.
    static bool available(const QDBusConnection &bus);

    // The drive is its device node ("/dev/sr0") or a link to it
    // ("/dev/cdrom"); false when UDisks2 does not answer or knows no such
    // block device.
    bool watch(const QString &drive, QString *error) override;
    void stopWatching() override;
    // Unmounts the disc when it is mounted, then asks the drive to eject.
    RuntimeError eject(const QString &drive) override;

    // The file name of a D-Bus byte string ("/dev/sr0" and its NUL).
    static QString byteString(const QVariant &value);

private Q_SLOTS:
    void interfacesAdded(const QDBusMessage &message);
    void interfacesRemoved(const QDBusMessage &message);
    void propertiesChanged(const QDBusMessage &message);

private:
    using Interfaces = QHash<QString, QVariantMap>; // interface name -> properties
    // The watched object (block device or drive) an ObjectManager signal
    // names first; nullptr for any other.
    Interfaces *watchedObject(const QDBusMessage &message);

    void connectSignals(bool on);
    void evaluate();
    void mounted(const QString &mountPoint);
    void report(const DiscLocation &disc);
    // Unmounts and ejects, waiting for each answer.
    RuntimeError ejectWaiting();
    // Sends call to the service; then runs next when it answered, or says
    // the eject failed when it refused.
    void sendThen(const QDBusMessage &call, const std::function<void()> &next);
    bool mediaAvailable() const;
    QString mountPoint() const;

    QDBusConnection m_bus;
    QString m_drive;      // as watch() was given it
    QString m_device;     // the block device's node
    QString m_blockPath;  // its UDisks2 object
    QString m_drivePath;  // the drive object the block belongs to
    Interfaces m_block;
    Interfaces m_driveObject;
    bool m_watching = false;
    bool m_reported = false; // the disc in the drive has been reported
    bool m_mounting = false; // a Mount call is under way
    bool m_mountTried = false; // for the disc in the drive
    quint64 m_insertion = 0; // counts discs, so that a late mount reply is dropped
};

} // namespace kobrix
