#pragma once

// The drives of a Windows machine: their roots ("D:\") in drive-letter
// order and which of them are CD-ROM drives.

#include <string>
#include <vector>

namespace kobrix::win32 {

// The drive type GetDriveTypeW reports for a CD-ROM drive (DRIVE_CDROM).
inline constexpr int kDriveTypeCdRom = 5;

// "C:\\\0D:\\\0...": the drive list text of GetLogicalDriveStringsW, every
// root followed by one NUL, read into a buffer of 256 characters (room for
// all 26 roots). Empty when there is no drive.
std::wstring logicalDriveStrings();

// The roots of logicalDriveStrings(), split at the NULs.
std::vector<std::wstring> logicalDriveRoots();

// GetDriveTypeW of a root: kDriveTypeCdRom for an optical drive, 1 for a
// root that does not exist.
int driveType(const std::wstring &root);

// The roots of the CD-ROM drives, in drive-letter order, as reported.
std::vector<std::wstring> cdRomDriveRoots();

} // namespace kobrix::win32
