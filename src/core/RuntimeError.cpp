#include "core/RuntimeError.h"

#include <cerrno>

namespace kobrix {

QString describeError(int number)
{
    switch (number) {
    case NoError: return QString();
    case OutOfMemory: return QStringLiteral("Out of memory");
    case BadFileNameOrNumber: return QStringLiteral("Bad file name or number");
    case FileNotFound: return QStringLiteral("File not found");
    case FileAlreadyOpen: return QStringLiteral("File already open");
    case BadRecordLength: return QStringLiteral("Bad record length");
    case DeviceIoError: return QStringLiteral("Device I/O error");
    case DiskFull: return QStringLiteral("Disk full");
    case DeviceUnavailable: return QStringLiteral("Device unavailable");
    case PermissionDenied: return QStringLiteral("Permission denied");
    case DiskNotReady: return QStringLiteral("Disk not ready");
    case PathFileAccessError: return QStringLiteral("Path/File access error");
    case PathNotFound: return QStringLiteral("Path not found");
    case DialogCancelled: return QStringLiteral("Cancel was selected.");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

RuntimeError::RuntimeError(int number) : m_number(number), m_description(describeError(number)) {}

RuntimeError::RuntimeError(int number, QString description)
    : m_number(number), m_description(std::move(description))
{
}

RuntimeError RuntimeError::fromErrno(int osError)
{
    switch (osError) {
    case 0: return RuntimeError();
    case ENOMEM: return RuntimeError(OutOfMemory);
    case ENOENT: return RuntimeError(FileNotFound);
    case ENOTDIR: return RuntimeError(PathNotFound);
    case EACCES:
    case EPERM:
    case EROFS: return RuntimeError(PermissionDenied);
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return RuntimeError(DiskFull);
    case EIO: return RuntimeError(DeviceIoError);
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
    case ENXIO:
    case ENODEV: return RuntimeError(DeviceUnavailable);
    case EAGAIN: return RuntimeError(DiskNotReady);
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
    case EBADF: return RuntimeError(BadFileNameOrNumber);
    default: return RuntimeError(PathFileAccessError);
    }
}

QString RuntimeError::numberAndDescription() const
{
    return QString::number(m_number) + QStringLiteral(" - ") + m_description;
}

} // namespace kobrix
