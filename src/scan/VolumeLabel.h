#pragma once

#include "core/RuntimeError.h"

#include <QString>

class QIODevice;

namespace kobrix {

// The name a disc gives itself, read from its volume descriptors: the
// volume identifier of the ISO 9660 primary descriptor, of the Joliet
// supplementary descriptor (UCS-2, big-endian) and the logical volume
// identifier of UDF. The longest of them wins, and the Unicode one on a tie
// (Joliet and UDF keep the case and letters that ISO 9660's d-characters
// drop). Trailing blanks and NULs are trimmed. Only the few sectors the
// descriptors sit in are read.
//
// An empty text when the disc has no label. A disc image or device that
// cannot be opened fails with the error of its opening (53 missing, 70 no
// permission, 68 a drive without a disc); one that can be read but holds no
// volume descriptor of either kind fails with 57 and the reason. Damaged
// descriptors (lengths out of range, truncated images) yield what could be
// read, never a read outside the image.
QString volumeLabelOfImage(const QString &imageOrDevicePath, RuntimeError *error = nullptr);

// The same for a device already open for reading (a file, a buffer).
QString volumeLabelOf(QIODevice &image, RuntimeError *error = nullptr);

} // namespace kobrix
