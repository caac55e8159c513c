#pragma once

#include "platform/DriveSource.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace kobrix {

// Optical drives of a Linux machine. A drive is keyed by its device node
// ("/dev/sr0"); the block devices listed are those under the sysfs block
// class, and a drive is a CD-ROM drive when its SCSI device type is 5. A
// disc is read where it is mounted, looked up in the mount table each time
// the drive is scanned; a disc that nobody mounted is read from the drive's
// device. A drive without a disc is unavailable (68).
//
// The paths are parameters so that tests can use fixture files, and an
// image file in the device folder stands in for a drive's device.
class LinuxDriveSource : public DriveSource
{
public:
    explicit LinuxDriveSource(QString sysBlockDir = QStringLiteral("/sys/class/block"),
                              QString mountInfoPath = QStringLiteral("/proc/self/mountinfo"),
                              QString deviceDir = QStringLiteral("/dev"));

    // "/dev/sda\0/dev/sr0\0/dev/sr1\0...": every block device, in natural
    // name order (sr2 before sr10).
    QString logicalDriveStrings() override;
    // 5 for an optical drive, 2 for other removable devices, 3 for the rest,
    // 1 when the device is not there.
    int driveType(const QString &root) override;
    // The device name in upper case ("SR0").
    QString caption(const QString &root) const override;
    // The mount point of the disc in the drive, found by device number or by
    // mount source; the drive's device when no disc is mounted; 68 when the
    // drive has no disc (its device is missing, or tells that it is empty or
    // its tray open). A root that is not a device node is walked as it is.
    RuntimeError resolveRoot(const QString &root, DiscLocation &disc) const override;
    // Whether the drive at devicePath holds a disc, as far as it tells: a
    // device (or a file standing in for one) that cannot be asked counts as
    // holding one, so that reading it says what is wrong.
    static bool holdsDisc(const QString &devicePath);

    // One line of the mount table.
    struct MountEntry
    {
        QString majorMinor; // "11:0"
        QString fsRoot;     // the folder of the file system mounted ("/" for all of it)
        QString mountPoint;
        QString source;     // "/dev/sr0"
    };
    // The entries of a mountinfo text; malformed lines are skipped.
    static QList<MountEntry> parseMountInfo(const QByteArray &text);
    // A mountinfo field with its octal escapes ("\040" for a blank) decoded.
    static QString decodeMountField(const QByteArray &field);

private:
    // "sr0" for "/dev/sr0"; empty when root is not a device node.
    static QString deviceName(const QString &root);

    QString m_sysBlockDir;
    QString m_mountInfoPath;
    QString m_deviceDir;
};

} // namespace kobrix
