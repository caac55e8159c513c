// The drives of a Windows machine.

#include "platform/WindowsDriveSource.h"

#include <iterator>
#include <string>

#include <qt_windows.h>

namespace kobrix {

QString WindowsDriveSource::logicalDriveStrings()
{
    wchar_t buffer[256] = {};
    const DWORD n = GetLogicalDriveStringsW(DWORD(std::size(buffer)), buffer);
    if (n == 0 || n > std::size(buffer))
        return QString();
    return QString::fromWCharArray(buffer, qsizetype(n));
}

int WindowsDriveSource::driveType(const QString &root)
{
    const std::wstring name = root.toStdWString();
    return int(GetDriveTypeW(name.c_str()));
}

std::unique_ptr<DriveSource> systemDriveSource()
{
    return std::make_unique<WindowsDriveSource>();
}

} // namespace kobrix
