#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace kobrix {

// One message of the kernel's device events (the uevent netlink socket):
// "ACTION@DEVPATH", then KEY=VALUE fields, each ended by a NUL.
struct Uevent
{
    QByteArray action;  // "change", "add", "remove"...
    QByteArray devPath; // "/devices/pci0000:00/.../block/sr0"
    QHash<QByteArray, QByteArray> fields;

    QByteArray field(const char *key) const { return fields.value(QByteArray(key)); }

    // A datagram as the kernel sends it; nothing for a malformed one, or for
    // the messages udevd passes on (they begin with "libudev" and a header).
    static std::optional<Uevent> parse(const QByteArray &datagram);

    // What the message tells of the disc in the drive whose device is
    // devicePath ("/dev/sr0"): DISK_MEDIA_CHANGE=1 of its block device means
    // a disc came or went; the drive's removal means it is gone.
    enum class DriveEvent { None, MediaChanged, DriveRemoved };
    DriveEvent eventFor(const QString &devicePath) const;
};

} // namespace kobrix
