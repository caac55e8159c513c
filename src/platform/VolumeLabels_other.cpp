// The label of a disc where the system's volumes are not asked: a device is
// read as a disc image; a folder has no label.

#include "platform/VolumeLabels.h"

#include "scan/VolumeLabel.h"

namespace kobrix {

QString discLabel(const DiscLocation &disc, RuntimeError *error)
{
    if (disc.kind == DiscLocation::Kind::Device)
        return volumeLabelOfImage(disc.path, error);
    if (error)
        *error = RuntimeError();
    return {};
}

} // namespace kobrix
