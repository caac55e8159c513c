#pragma once

#include "core/RuntimeError.h"

#include <QString>

#include <memory>

namespace kobrix {

// The drive type the operating system reports for a CD-ROM drive.
inline constexpr int kDriveTypeCdRom = 5;

// Where the disc in a drive is read from.
struct DiscLocation
{
    enum class Kind {
        Folder, // a folder to walk: the drive's root, or where its disc is mounted
        Device, // the drive's device, read as a disc image: a disc nobody mounted
    };
    Kind kind = Kind::Folder;
    QString path;
};

// The machine's drives, as drive discovery sees them.
//
// On Windows a drive root is "D:\" and is scanned as it is. On Linux a drive
// is keyed by its device node ("/dev/sr0"); the disc's mount point is looked
// up when the drive is scanned.
class DriveSource
{
public:
    virtual ~DriveSource() = default;

    // All drive roots, each followed by one NUL character.
    virtual QString logicalDriveStrings() = 0;
    // The drive type of a root; kDriveTypeCdRom for an optical drive.
    virtual int driveType(const QString &root) = 0;
    // The caption of the drive's toolbar button.
    virtual QString caption(const QString &root) const { return root.toUpper(); }
    // Where the disc in a drive is read from; fails with 68 (device
    // unavailable) when the drive holds no disc. The root itself, as a
    // folder, unless a source knows better.
    virtual RuntimeError resolveRoot(const QString &root, DiscLocation &disc) const;
};

// The drive source of the machine the program runs on.
std::unique_ptr<DriveSource> systemDriveSource();

} // namespace kobrix
