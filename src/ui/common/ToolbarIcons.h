#pragma once

#include <QIcon>
#include <QPixmap>

namespace kobrix {

// The images of the main window's toolbar, drawn in code on a 32 x 32 grid.
enum class ToolbarImage {
    FolderTick,       // "Load"
    FolderMagnifier,  // "Find"
    WasteBin,         // "Restart"
    CompactDisc,      // a drive button
};

// The image at 32 x 32 logical pixels for the given device pixel ratio.
QPixmap toolbarPixmap(ToolbarImage image, qreal devicePixelRatio = 1.0);
// The image at 1x and 2x, so it stays sharp on high-density screens.
QIcon toolbarIcon(ToolbarImage image);

} // namespace kobrix
