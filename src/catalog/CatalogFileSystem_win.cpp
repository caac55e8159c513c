// The catalog file code's system calls on Windows. Handles are opened with
// CreateFileW and handed to QFile as C runtime descriptors; Windows errors
// become error numbers through the Windows layer (win32), as the walk's
// do.

#include "catalog/CatalogFileSystem.h"

#include "core/RuntimeError.h"
#include "win32/errors_win.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
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

// Hands an open handle to file, which closes it from then on (on failure
// it is closed here).
int adoptHandle(HANDLE handle, bool writable, QFile &file)
{
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), writable ? _O_RDWR : _O_RDONLY);
    if (fd < 0) {
        CloseHandle(handle);
        return BadFileNameOrNumber;
    }
    const QIODevice::OpenMode mode = writable ? QIODevice::ReadWrite : QIODevice::ReadOnly;
    if (!file.open(fd, mode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        return BadFileNameOrNumber;
    }
    return NoError;
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
    // Tried a few times, never for ever: a name that exists but cannot be
    // opened (a link to a missing file) fails with the system's error.
    for (int attempt = 0; attempt < 3; ++attempt) {
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
    return adoptHandle(handle, access != Access::Read, file);
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
    facts.device = quint64(info.dwVolumeSerialNumber);
    facts.inode = (quint64(info.nFileIndexHigh) << 32) | quint64(info.nFileIndexLow);
    facts.birth = (quint64(info.ftCreationTime.dwHighDateTime) << 32)
        | quint64(info.ftCreationTime.dwLowDateTime);
    return true;
}

namespace {

LockAttempt tryLock(QFileDevice &file, DWORD kind)
{
    // Windows locks byte ranges, and a locked range cannot be read through
    // other handles. One byte far behind the end of any catalog is locked, so
    // that the catalog itself stays readable through every handle.
    OVERLAPPED at{};
    at.Offset = 0xFFFFFFFEu;
    at.OffsetHigh = 0x7FFFFFFFu;
    if (LockFileEx(nativeHandle(file), kind | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
        return LockAttempt::Locked;
    switch (GetLastError()) {
    case ERROR_LOCK_VIOLATION:
    case ERROR_IO_PENDING: return LockAttempt::HeldByOther;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
        return LockAttempt::Locked; // no locks on this file system: go unguarded
    default: return LockAttempt::Failed;
    }
}

} // namespace

LockAttempt tryLockExclusive(QFileDevice &file) { return tryLock(file, LOCKFILE_EXCLUSIVE_LOCK); }

LockAttempt tryLockShared(QFileDevice &file) { return tryLock(file, 0); }

namespace {

// The identity of the file a name reaches: its volume and index.
bool identityOf(const QString &path, BY_HANDLE_FILE_INFORMATION &info)
{
    const HANDLE named = CreateFileW(nativePath(path).c_str(), 0,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (named == INVALID_HANDLE_VALUE)
        return false;
    const bool known = fileInformation(named, info);
    CloseHandle(named);
    return known;
}

bool sameIdentity(const BY_HANDLE_FILE_INFORMATION &a, const BY_HANDLE_FILE_INFORMATION &b)
{
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber
        && a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

} // namespace

bool isSameFile(const QFileDevice &file, const QString &path)
{
    BY_HANDLE_FILE_INFORMATION opened{};
    BY_HANDLE_FILE_INFORMATION current{};
    return fileInformation(nativeHandle(file), opened) && identityOf(path, current)
        && sameIdentity(opened, current);
}

PathKind pathKind(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return PathKind::Missing;
    return info.isFile() ? PathKind::File : info.isDir() ? PathKind::Folder : PathKind::Other;
}

bool isSymbolicLink(const QString &path) { return QFileInfo(path).isSymbolicLink(); }

QString folderOf(const QString &path) { return QFileInfo(path).path(); }

bool parentFolderExists(const QString &path) { return QFileInfo(path).absoluteDir().exists(); }

QString realPath(const QString &path) { return QFileInfo(path).canonicalFilePath(); }

bool removeFile(const QString &path) { return QFile::remove(path); }

bool isSameFileAs(const QString &a, const QString &b)
{
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return identityOf(a, first) && identityOf(b, second) && sameIdentity(first, second);
}

qint64 readAt(const QFileDevice &file, qint64 offset, char *data, qint64 size, int &errorNumber)
{
    // The offset goes with the call; the handle's own position is not used
    // by the readers that read this way.
    OVERLAPPED at{};
    at.Offset = DWORD(quint64(offset) & 0xFFFFFFFFu);
    at.OffsetHigh = DWORD(quint64(offset) >> 32);
    DWORD read = 0;
    const DWORD wanted = DWORD(std::min<qint64>(size, qint64(1) << 30));
    if (ReadFile(nativeHandle(file), data, wanted, &read, &at))
        return qint64(read);
    const DWORD error = GetLastError();
    if (error == ERROR_HANDLE_EOF)
        return 0;
    errorNumber = win32::errorNumber(error);
    return -1;
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

void syncFolder(const QString &)
{
    // NTFS puts a folder's entries on the disk with the files' own flushes.
}

int createPrivateFile(const QString &path, QFile &file)
{
    const std::wstring name = nativePath(path);
    const HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return win32::openFailureNumber(name, GetLastError());
    return adoptHandle(handle, true, file);
}

bool isTrustedLeftover(const QString &, const FileFacts &)
{
    return true; // the temporary folder is the user's own
}

bool carryOwnerAndMode(QFileDevice &, const FileFacts &)
{
    return true; // see fileFacts: the replacement's access lists are the folder's
}

// The new file is made beside the catalog under a name of its own, and
// MoveFileExW gives it the catalog's name. Windows refuses that rename while
// any handle to the old file is open, however it was shared (the rename
// fails with ERROR_ACCESS_DENIED): the old file's handle is closed first.
struct ReplacementFile::Private
{
    explicit Private(const QString &path) : path(path) {}
    QString path;
    QString temporaryPath;
    QFile file;
};

ReplacementFile::ReplacementFile(const QString &path) : d(std::make_unique<Private>(path)) {}

ReplacementFile::~ReplacementFile() { discard(); }

int ReplacementFile::open()
{
    discard();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = d->path + QStringLiteral(".new-")
            + QString::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 16);
        const std::wstring name = nativePath(candidate);
        const HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD failure = GetLastError();
            if (failure == ERROR_FILE_EXISTS || failure == ERROR_ALREADY_EXISTS)
                continue; // a name taken: draw another
            return win32::openFailureNumber(name, failure);
        }
        if (const int failure = adoptHandle(handle, true, d->file)) {
            DeleteFileW(name.c_str());
            return failure;
        }
        d->temporaryPath = candidate;
        return NoError;
    }
    return PathFileAccessError;
}

QFileDevice &ReplacementFile::file() { return d->file; }

int ReplacementFile::commit(QFileDevice *old)
{
    if (d->temporaryPath.isEmpty() || !d->file.isOpen())
        return BadFileNameOrNumber;
    if (const int failure = syncFile(d->file)) {
        discard();
        return failure;
    }
    d->file.close();
    if (old)
        old->close(); // ends its lock too: the rename is the save's last step
    const std::wstring from = nativePath(d->temporaryPath);
    const std::wstring to = nativePath(d->path);
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        d->temporaryPath.clear();
        return NoError;
    }
    const DWORD failure = GetLastError();
    discard();
    if (failure == ERROR_ACCESS_DENIED || failure == ERROR_SHARING_VIOLATION) {
        // Refused: the old file may be open in another program (a reader,
        // or another save waiting for its lock). An open that shares nothing
        // tells that apart from a file we may not replace.
        const HANDLE probe = CreateFileW(to.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe != INVALID_HANDLE_VALUE)
            CloseHandle(probe);
        else if (GetLastError() == ERROR_SHARING_VIOLATION)
            return FileAlreadyOpen;
    }
    return win32::errorNumber(failure);
}

void ReplacementFile::discard()
{
    d->file.close();
    if (!d->temporaryPath.isEmpty())
        DeleteFileW(nativePath(d->temporaryPath).c_str());
    d->temporaryPath.clear();
}

void ignoreFileSizeSignal()
{
    // Windows has no file size signal: an oversized write simply fails.
}

} // namespace kobrix::filesystem
