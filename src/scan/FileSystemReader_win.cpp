// The walk's reader of the local file system on Windows. Native paths are
// UTF-8 with backslashes; names come from the system as UTF-16.

#include "scan/FileSystemReader.h"

#include <QDir>
#include <QFileInfo>

#include <string>

#include <qt_windows.h>

namespace kobrix {

namespace {

bool isDriveRoot(const QString &path)
{
    return path.size() == 3 && path.at(1) == QLatin1Char(':') && path.at(2) == QLatin1Char('\\');
}

// Adds one entry of a folder to the listing, unless it is hidden, a device,
// or a link to a directory.
void addEntry(const WIN32_FIND_DATAW &found, DirectoryListing &listing)
{
    const QString name = QString::fromWCharArray(found.cFileName);
    const DWORD attributes = found.dwFileAttributes;
    if (name.startsWith(QLatin1Char('.')) // ".", ".." and hidden entries
        || (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE)))
        return;
    const bool isDirectory = attributes & FILE_ATTRIBUTE_DIRECTORY;
    // A link or junction to a directory is never walked; a link to a file
    // counts as a file.
    if (isDirectory && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return;
    QByteArray native = name.toUtf8();
    QByteArray shown = displayName(native);
    auto &target = isDirectory ? listing.subdirectories : listing.files;
    target.push_back({std::move(native), std::move(shown)});
}

} // namespace

QByteArray FileSystemReader::childPath(const QByteArray &parent, const QByteArray &nativeName) const
{
    QByteArray path = parent;
    if (!path.endsWith('\\'))
        path.append('\\');
    path.append(nativeName);
    return path;
}

QByteArray FileSystemReader::rootPath(const QString &root) const
{
    if (root.isEmpty())
        return QByteArray();
    QString path = QDir::toNativeSeparators(QFileInfo(root).absoluteFilePath());
    // "D:\" stays as it is: "D:" would mean the current folder of drive D.
    while (path.size() > 1 && path.endsWith(QLatin1Char('\\')) && !isDriveRoot(path))
        path.chop(1);
    return path.toUtf8();
}

QString FileSystemReader::displayPath(const QByteArray &nativePath) const
{
    return QString::fromUtf8(nativePath);
}

RuntimeError FileSystemReader::read(const QByteArray &nativePath, bool isRoot,
                                    DirectoryListing &listing)
{
    listing.clear();
    QString pattern = QString::fromUtf8(nativePath);
    if (!pattern.endsWith(QLatin1Char('\\')))
        pattern += QLatin1Char('\\');
    pattern += QLatin1Char('*');
    const std::wstring widePattern = pattern.toStdWString();

    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileExW(widePattern.c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (isRoot
            && (error == ERROR_NOT_READY || error == ERROR_PATH_NOT_FOUND
                || error == ERROR_FILE_NOT_FOUND || error == ERROR_INVALID_DRIVE
                || error == ERROR_DIRECTORY))
            return RuntimeError(DeviceUnavailable);
        switch (error) {
        case ERROR_FILE_NOT_FOUND: return RuntimeError(); // nothing in it, not even "."
        case ERROR_PATH_NOT_FOUND:
        case ERROR_DIRECTORY: return RuntimeError(PathNotFound);
        case ERROR_ACCESS_DENIED: return RuntimeError(PermissionDenied);
        case ERROR_NOT_READY: return RuntimeError(DiskNotReady);
        case ERROR_NOT_ENOUGH_MEMORY: return RuntimeError(OutOfMemory);
        default: return RuntimeError(DeviceIoError);
        }
    }
    do
        addEntry(found, listing);
    while (FindNextFileW(search, &found));
    const DWORD failure = GetLastError();
    FindClose(search);
    if (failure != ERROR_NO_MORE_FILES)
        return RuntimeError(DeviceIoError);
    sortEntries(listing.subdirectories);
    sortEntries(listing.files);
    return RuntimeError();
}

bool isDeviceNode(const QString &path)
{
    // "\\.\D:" and the like: a drive opened as a device.
    const QString native = QDir::toNativeSeparators(path);
    return native.startsWith(QLatin1String("\\\\.\\"));
}

} // namespace kobrix
