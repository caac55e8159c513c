#include "platform/DriveDiscovery.h"

#include "platform/DriveSource.h"

namespace kobrix {

QStringList splitDriveList(const QString &driveListText)
{
    QStringList roots;
    QStringView rest(driveListText);
    while (!rest.isEmpty()) {
        const qsizetype nul = rest.indexOf(QChar(u'\0'));
        if (nul < 0) {
            roots << rest.toString();
            break;
        }
        roots << rest.left(nul).toString();
        rest = rest.mid(nul + 1);
    }
    return roots;
}

QStringList findCdDrives(DriveSource &source)
{
    QStringList drives;
    for (const QString &root : splitDriveList(source.logicalDriveStrings())) {
        if (source.driveType(root) == kDriveTypeCdRom)
            drives << root;
    }
    return drives;
}

} // namespace kobrix
