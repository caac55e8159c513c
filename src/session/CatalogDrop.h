#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace kobrix {

// The commands a drop on the main window can stand for.
enum class DropCommand {
    None,       // refused
    Load,       // "Load..." with a catalog file
    ScanFolder, // "Scan Folder..." with a folder
    ScanImage,  // "Scan Disc Image..." with an .iso file
};

// Which of those commands the window offers now (their enabled states).
struct DropCommands
{
    bool load = false;
    bool scanFolder = false;
    bool scanImage = false;
};

struct DropTarget
{
    DropCommand command = DropCommand::None;
    QString path; // the local file or folder to run it on
};

// What dropping urls means: exactly one local item, a .cdc file loaded, a
// folder or an .iso file scanned (extensions in any letter case), each only
// when its command is offered; anything else is refused.
DropTarget dropTarget(const QList<QUrl> &urls, const DropCommands &offered);

} // namespace kobrix
