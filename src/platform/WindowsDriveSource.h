#pragma once

#include "platform/DriveSource.h"

namespace kobrix {

// The drives of a Windows machine: roots ("D:\") and types as the system's
// drive list gives them. A drive root is scanned as it is.
class WindowsDriveSource : public DriveSource
{
public:
    QString logicalDriveStrings() override;
    int driveType(const QString &root) override;
};

} // namespace kobrix
