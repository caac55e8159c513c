// The label of a disc on Windows: a device is read as a disc image; a
// folder (a drive root or a volume mounted in a folder) has the label
// Windows keeps for its volume.

#include "platform/VolumeLabels.h"

#include "scan/VolumeLabel.h"
#include "win32/volumes_win.h"

namespace kobrix {

QString discLabel(const DiscLocation &disc, RuntimeError *error)
{
    if (disc.kind == DiscLocation::Kind::Device)
        return volumeLabelOfImage(disc.path, error);
    int number = 0;
    const QString label =
        QString::fromStdWString(win32::volumeLabel(disc.path.toStdWString(), &number));
    if (error)
        *error = number ? RuntimeError(number) : RuntimeError();
    return label;
}

} // namespace kobrix
