#pragma once

#include "scan/DirectoryReader.h"

#include <QString>

namespace kobrix {

// Reads the local file system. Each platform has its own implementation,
// chosen when the program is built: FileSystemReader_posix.cpp (openat and
// readdir) and FileSystemReader_win.cpp (FindFirstFileExW).
//
// Names starting with a dot are hidden; so are entries the system marks
// hidden or system (Windows). Only regular files and directories are
// listed; symbolic links to files count as files, links to directories are
// never followed, so link loops cannot hang the walk.
//
// Native paths are the system's bytes of the path on POSIX systems, UTF-8
// with backslashes on Windows.
class FileSystemReader : public DirectoryReader
{
public:
    RuntimeError read(const QByteArray &nativePath, bool isRoot, DirectoryListing &listing) override;
    QByteArray childPath(const QByteArray &parent, const QByteArray &nativeName) const override;
    QByteArray rootPath(const QString &root) const override;
    QString displayPath(const QByteArray &nativePath) const override;
};

// Whether path names a device (a drive, read as a disc image) rather than a
// file or folder.
bool isDeviceNode(const QString &path);

} // namespace kobrix
