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
// with backslashes on Windows. On POSIX systems a folder is opened relative
// to its parent's handle (openat), so folders deeper than the longest path
// the system takes at once (PATH_MAX) are read as well.
class FileSystemReader : public DirectoryReader
{
public:
    FileSystemReader() = default;
    ~FileSystemReader() override;
    FileSystemReader(const FileSystemReader &) = delete;
    FileSystemReader &operator=(const FileSystemReader &) = delete;

    RuntimeError read(const QByteArray &nativePath, bool isRoot, DirectoryListing &listing) override;
    QByteArray childPath(const QByteArray &parent, const QByteArray &nativeName) const override;
    QByteArray rootPath(const QString &root) const override;
    QString displayPath(const QByteArray &nativePath) const override;
    void walkEnded() override;

private:
    // POSIX: the folder whose subfolders are being read (a walk reads the
    // subfolders of one folder one after the other), held open so that each
    // is opened relative to it, whatever the length of its whole path; -1
    // when none is.
    int m_parentHandle = -1;
    QByteArray m_parentPath;
};

// Whether path names a device (a drive, read as a disc image) rather than a
// file or folder.
bool isDeviceNode(const QString &path);

} // namespace kobrix
