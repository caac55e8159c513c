// The drive source of a system whose drive list the program does not read:
// no drive, so no drive button. Built where neither the Linux nor the
// Windows source is.

#include "platform/DriveSource.h"

namespace kobrix {

namespace {

class NoDriveSource : public DriveSource
{
public:
    QString logicalDriveStrings() override { return QString(); }
    int driveType(const QString &) override { return 0; }
};

} // namespace

std::unique_ptr<DriveSource> systemDriveSource()
{
    return std::make_unique<NoDriveSource>();
}

} // namespace kobrix
