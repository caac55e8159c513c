// The drives of a Windows machine, through the Windows layer (win32).

#include "platform/WindowsDriveSource.h"

#include "win32/drives_win.h"

namespace kobrix {

QString WindowsDriveSource::logicalDriveStrings()
{
    return QString::fromStdWString(win32::logicalDriveStrings());
}

int WindowsDriveSource::driveType(const QString &root)
{
    return win32::driveType(root.toStdWString());
}

std::unique_ptr<DriveSource> systemDriveSource()
{
    return std::make_unique<WindowsDriveSource>();
}

} // namespace kobrix
