// The catalog file code's system calls on Windows. Handles are opened with
// CreateFileW and handed to QFile as C runtime descriptors; Windows errors
// become error numbers through the Windows layer (core/win32), as the walk's
// do.

#include "catalog/CatalogFileSystem.h"

#include "core/RuntimeError.h"
#include "core/win32/errors_win.h"

#include <QDir>

#include <fcntl.h>
#include <io.h>
#include <string>

#include <qt_windows.h>

namespace kobrix::filesystem {

namespace {

HANDLE nativeHandle(const QFileDevice &file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
}

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

bool fileInformation(HANDLE handle, BY_HANDLE_FILE_INFORMATION &info)
{
    return handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &info);
}

} // namespace

int openFile(const QString &path, Access access, QFile &file, bool &created)
{
    created = false;
    const std::wstring name = nativePath(path);
    const DWORD rights = GENERIC_READ | (access == Access::Read ? 0 : GENERIC_WRITE);
    // Other programs may read, write, rename and remove the catalog while it
    // is open, as on POSIX systems. A handle that is not inherited.
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD failure = ERROR_SUCCESS;
    for (;;) {
        handle = CreateFileW(name.c_str(), rights, share, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        failure = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (handle != INVALID_HANDLE_VALUE || access != Access::ReadWriteCreate
            || failure != ERROR_FILE_NOT_FOUND)
            break;
        handle = CreateFileW(name.c_str(), rights, share, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            created = true;
            break;
        }
        failure = GetLastError();
        if (failure != ERROR_FILE_EXISTS)
            break;
        // Another writer created it just now: open that one.
    }
    if (handle == INVALID_HANDLE_VALUE)
        return win32::openFailureNumber(name, failure);
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle),
                                   access == Access::Read ? _O_RDONLY : _O_RDWR);
    if (fd < 0) {
        CloseHandle(handle);
        return BadFileNameOrNumber;
    }
    const QIODevice::OpenMode mode = access == Access::Read ? QIODevice::ReadOnly
                                                            : QIODevice::ReadWrite;
    if (!file.open(fd, mode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        return BadFileNameOrNumber;
    }
    return NoError;
}

bool fileFacts(const QFileDevice &file, FileFacts &facts)
{
    const HANDLE handle = nativeHandle(file);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!fileInformation(handle, info))
        return false;
    facts.regular = GetFileType(handle) == FILE_TYPE_DISK
        && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    facts.size = (qint64(info.nFileSizeHigh) << 32) | qint64(info.nFileSizeLow);
    facts.links = qint64(info.nNumberOfLinks);
    // Access to a file is decided by the folder's inherited access lists,
    // which a replacement gets as well: nothing to carry over.
    facts.owner = 0;
    facts.group = 0;
    facts.mode = 0;
    return true;
}

LockAttempt tryLockExclusive(QFileDevice &file)
{
    // Windows locks byte ranges, and a locked range cannot be read through
    // other handles. One byte far behind the end of any catalog is locked, so
    // that readers, who take no lock, read the catalog undisturbed.
    OVERLAPPED at{};
    at.Offset = 0xFFFFFFFEu;
    at.OffsetHigh = 0x7FFFFFFFu;
    if (LockFileEx(nativeHandle(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                   0, &at))
        return LockAttempt::Locked;
    switch (GetLastError()) {
    case ERROR_LOCK_VIOLATION:
    case ERROR_IO_PENDING: return LockAttempt::HeldByOther;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
        return LockAttempt::Locked; // no locks on this file system: write unguarded
    default: return LockAttempt::Failed;
    }
}

bool isSameFile(const QFileDevice &file, const QString &path)
{
    BY_HANDLE_FILE_INFORMATION opened{};
    if (!fileInformation(nativeHandle(file), opened))
        return false;
    const HANDLE named = CreateFileW(nativePath(path).c_str(), 0,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (named == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION current{};
    const bool known = fileInformation(named, current);
    CloseHandle(named);
    return known && opened.dwVolumeSerialNumber == current.dwVolumeSerialNumber
        && opened.nFileIndexHigh == current.nFileIndexHigh
        && opened.nFileIndexLow == current.nFileIndexLow;
}

int syncFile(QFileDevice &file)
{
    if (FlushFileBuffers(nativeHandle(file)))
        return NoError;
    const DWORD error = GetLastError();
    if (error == ERROR_INVALID_HANDLE || error == ERROR_INVALID_FUNCTION)
        return NoError; // a handle that cannot be flushed
    return win32::errorNumber(error);
}

bool carryOwnerAndMode(QFileDevice &, const FileFacts &)
{
    return true; // see fileFacts: the replacement's access lists are the folder's
}

void ignoreFileSizeSignal()
{
    // Windows has no file size signal: an oversized write simply fails.
}

} // namespace kobrix::filesystem
