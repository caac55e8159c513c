#pragma once

// Windows error codes (GetLastError) as the program's error numbers: the
// numbers the windows show ("53 - File not found"), the same for the same
// failure as on Linux.

#include <string>

namespace kobrix::win32 {

// The error numbers this layer reports; the same values as the core's
// ErrorNumber, which this Qt-free layer cannot include.
enum ErrorNumber : int {
    NoError = 0,
    OutOfMemory = 7,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    DeviceIoError = 57,
    DiskFull = 61,
    DeviceUnavailable = 68,
    PermissionDenied = 70,
    DiskNotReady = 71,
    PathFileAccessError = 75,
    PathNotFound = 76,
};

// Maps a Windows error code to an error number, with the meanings of the
// errno mapping: a missing file 53, a missing folder 76, access refused 70,
// a file held open by another program 55, a full disk 61, a device fault
// 57, no medium or no drive 68, a busy drive 71, a bad name 52, anything
// else 75.
int errorNumber(unsigned long code);

// The error number of a failed CreateFileW of path: as errorNumber(code),
// except that a folder given as the file is 75, and a missing file whose
// folder is missing too is 76 (as on Linux).
int openFailureNumber(const std::wstring &path, unsigned long code);

} // namespace kobrix::win32
