#pragma once

#include "core/RuntimeError.h"
#include "platform/DriveSource.h"

#include <QString>

namespace kobrix {

// The label of the disc at disc, as the system knows it, for proposing it
// as the disc's name. A device is read as a disc image (volumeLabelOfImage).
// A folder has the label of the volume mounted at exactly that folder:
// on Linux the mounted device's descriptors, or udev's /dev/disk/by-label
// link to that device when the device cannot be read; on Windows what
// GetVolumeInformationW says of the drive root. A folder that is no mount
// point has none.
//
// An empty text when there is no label; error (when given) tells why when
// the label could not be read at all, and stays clear when the disc just
// has none.
QString discLabel(const DiscLocation &disc, RuntimeError *error = nullptr);

#ifdef Q_OS_LINUX
// The Linux lookup of a folder's label, with the system's mount table and
// udev's label links as parameters so that tests can use files of their own.
QString mountedFolderLabel(const QString &folder, const QString &mountInfoPath,
                           const QString &byLabelDir, RuntimeError *error = nullptr);
// A udev link name with its escapes ("\x20" for a blank) decoded.
QString decodeUdevName(const QString &name);
#endif

} // namespace kobrix
