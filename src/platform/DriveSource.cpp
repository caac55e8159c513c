#include "platform/DriveSource.h"

namespace kobrix {

RuntimeError DriveSource::resolveRoot(const QString &root, DiscLocation &disc) const
{
    disc = DiscLocation{DiscLocation::Kind::Folder, root};
    return RuntimeError();
}

} // namespace kobrix
