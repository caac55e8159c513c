#include "session/CatalogDrop.h"

#include <QFileInfo>

namespace kobrix {

DropTarget dropTarget(const QList<QUrl> &urls, const DropCommands &offered)
{
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString path = urls.front().toLocalFile();
    const QFileInfo info(path);
    DropCommand command = DropCommand::None;
    if (info.isDir()) {
        if (offered.scanFolder)
            command = DropCommand::ScanFolder;
    } else if (info.isFile()) {
        const QString suffix = info.suffix();
        if (offered.load && suffix.compare(QLatin1String("cdc"), Qt::CaseInsensitive) == 0)
            command = DropCommand::Load;
        else if (offered.scanImage
                 && suffix.compare(QLatin1String("iso"), Qt::CaseInsensitive) == 0)
            command = DropCommand::ScanImage;
    }
    if (command == DropCommand::None)
        return {};
    return {command, info.absoluteFilePath()};
}

} // namespace kobrix
