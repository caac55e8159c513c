// The test helpers that need POSIX calls: FIFOs, and a place that refuses
// writes even to the superuser.
#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace kobrix::test {

bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

QString placeRefusingWrites()
{
    // sysfs takes no new files, not even from root; other users are refused
    // by the permissions anywhere, which the permission tests cover.
    if (geteuid() != 0 || !QFileInfo(QStringLiteral("/sys")).isDir())
        return QString();
    return QStringLiteral("/sys/kobrix.cdc");
}

bool permissionsRefuseUs()
{
    return geteuid() != 0;
}

} // namespace kobrix::test
