#include "win32/errors_win.h"

#include <windows.h>

namespace kobrix::win32 {

int errorNumber(unsigned long code)
{
    switch (code) {
    case ERROR_SUCCESS:
        return NoError;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return OutOfMemory;
    case ERROR_FILE_NOT_FOUND:
        return FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY: // a file where a folder was expected (ENOTDIR)
        return PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_PRIVILEGE_NOT_HELD:
        return PermissionDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileAlreadyOpen;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
        return DiskFull;
    case ERROR_CRC:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return DeviceIoError;
    case ERROR_NOT_READY: // no disc in the drive, or its door open
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_UNRECOGNIZED_MEDIA:
    case ERROR_INVALID_DRIVE:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_UNIT:
        return DeviceUnavailable;
    case ERROR_BUSY:
    case ERROR_BUSY_DRIVE:
    case ERROR_DRIVE_LOCKED:
        return DiskNotReady;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
    case ERROR_INVALID_PARAMETER:
    case ERROR_INVALID_HANDLE:
    case ERROR_NO_UNICODE_TRANSLATION:
        return BadFileNameOrNumber;
    default:
        return PathFileAccessError;
    }
}

namespace {

// The folder part of path ("C:\data" for "C:\data\a.cdc"); empty when path
// names no folder.
std::wstring parentFolder(const std::wstring &path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return std::wstring();
    // Keep the backslash of a drive root ("C:\").
    if (slash == 2 && path.size() > 1 && path[1] == L':')
        return path.substr(0, 3);
    return path.substr(0, slash);
}

} // namespace

int openFailureNumber(const std::wstring &path, unsigned long code)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return PathFileAccessError;
    if (code == ERROR_FILE_NOT_FOUND) {
        const std::wstring folder = parentFolder(path);
        if (!folder.empty()) {
            const DWORD folderAttributes = GetFileAttributesW(folder.c_str());
            if (folderAttributes == INVALID_FILE_ATTRIBUTES
                || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
                return PathNotFound;
        }
    }
    return errorNumber(code);
}

} // namespace kobrix::win32
