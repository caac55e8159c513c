#pragma once

#include "platform/DiscArrivals.h"

#include <memory>

class QSocketNotifier;

namespace kobrix {

class LinuxDriveSource;

// Discs coming and going as the kernel tells them, for a machine without
// UDisks2: the block device's media-change events on the uevent netlink
// socket, which wake the program only when something happens. The disc is
// read where it is mounted, or from the device (LinuxDriveSource). The tray
// is opened with the CD-ROM driver's eject call.
//
// The kernel sends media-change events for a drive only when it checks the
// drive itself (block.events_dfl_poll_msecs, which systemd's udev rules
// set); the program does no polling of its own.
class UeventArrivals : public DiscArrivals
{
    Q_OBJECT

public:
    explicit UeventArrivals(QObject *parent = nullptr);
    ~UeventArrivals() override;

    bool watch(const QString &drive, QString *error) override;
    void stopWatching() override;
    RuntimeError eject(const QString &drive) override;

private:
    void readEvents();
    void check();

    std::unique_ptr<LinuxDriveSource> m_drives;
    QSocketNotifier *m_notifier = nullptr;
    int m_socket = -1;
    QString m_drive;  // as watch() was given it
    QString m_device; // the device node it names ("/dev/sr0" for "/dev/cdrom")
    bool m_hasDisc = false;
};

} // namespace kobrix
