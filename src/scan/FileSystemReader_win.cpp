// The walk's reader of the local file system on Windows, through the Windows
// layer (win32). Native paths are UTF-8 with backslashes; names come
// from the system as UTF-16.

#include "scan/FileSystemReader.h"

#include "win32/directory_win.h"

#include <QDir>
#include <QFileInfo>

#include <string>

namespace kobrix {

namespace {

bool isDriveRoot(const QString &path)
{
    return path.size() == 3 && path.at(1) == QLatin1Char(':') && path.at(2) == QLatin1Char('\\');
}

// The layer's entries as the walk's: native names in UTF-8, display names
// as the layer made them.
void takeEntries(std::vector<win32::DirectoryEntry> &from, std::vector<DirectoryEntry> &into)
{
    into.reserve(from.size());
    for (const win32::DirectoryEntry &e : from)
        into.push_back({QString::fromStdWString(e.nativeName).toUtf8(),
                        QByteArray::fromStdString(e.displayName)});
    // The order of every reader, whatever the layer's own sort made of it.
    sortEntries(into);
}

} // namespace

FileSystemReader::~FileSystemReader() = default;

void FileSystemReader::walkEnded() {}

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
    win32::DirectoryListing found;
    if (const int failure =
            win32::readDirectory(QString::fromUtf8(nativePath).toStdWString(), isRoot, found))
        return RuntimeError(failure);
    takeEntries(found.subdirectories, listing.subdirectories);
    takeEntries(found.files, listing.files);
    return RuntimeError();
}

bool isDeviceNode(const QString &path)
{
    // "\\.\D:" and the like: a drive opened as a device.
    const QString native = QDir::toNativeSeparators(path);
    return native.startsWith(QLatin1String("\\\\.\\"));
}

} // namespace kobrix
