#include "platform/ProgramLocation.h"

#include <QFileInfo>

namespace kobrix {

QString programDirectory()
{
    // The kernel's link to the executable, whatever the way it was started.
    const QFileInfo self(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
    return self.fileName().isEmpty() ? QString() : self.absolutePath();
}

} // namespace kobrix
