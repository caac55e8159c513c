#include "platform/DriveSource.h"

namespace kobrix {

RuntimeError DriveSource::resolveRoot(const QString &root, QString &folder) const
{
    folder = root;
    return RuntimeError();
}

} // namespace kobrix
