#include "core/RuntimeError.h"

#include <QCoreApplication>

#include <cerrno>

namespace kobrix {

namespace {

// The descriptions in English as lupdate collects them; describeError()
// hands them to the application's translation (context
// "kobrix::RuntimeError"), which without a translator keeps them as they are.
const char *descriptionSource(int number)
{
    switch (number) {
    case OutOfMemory: return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "Out of memory");
    case BadFileNameOrNumber:
        return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "Bad file name or number");
    case FileNotFound: return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "File not found");
    case FileAlreadyOpen: return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "File already open");
    case BadRecordLength: return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "Bad record length");
    case DeviceIoError: return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "Device I/O error");
    case DiskFull: return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "Disk full");
    case DeviceUnavailable: return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "Device unavailable");
    case PermissionDenied: return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "Permission denied");
    case DiskNotReady: return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "Disk not ready");
    case PathFileAccessError:
        return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "Path/File access error");
    case PathNotFound: return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "Path not found");
    case DialogCancelled: return QT_TRANSLATE_NOOP("kobrix::RuntimeError", "Cancel was selected.");
    default:
        return QT_TRANSLATE_NOOP("kobrix::RuntimeError",
                                 "Application-defined or object-defined error");
    }
}

} // namespace

QString describeError(int number)
{
    if (number == NoError)
        return QString();
    return QCoreApplication::translate("kobrix::RuntimeError", descriptionSource(number));
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
