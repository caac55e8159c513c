#pragma once

#include <QString>
#include <QStringList>

namespace kobrix {

class DriveSource;

// The drive roots of a drive list text: the characters before each NUL, in
// order. Characters after the last NUL (a list that lacks its final
// terminator) still count as one more root.
QStringList splitDriveList(const QString &driveListText);

// The roots of the source's CD-ROM drives (drive type 5), in the order the
// source lists them, exactly as it reports them.
QStringList findCdDrives(DriveSource &source);

} // namespace kobrix
