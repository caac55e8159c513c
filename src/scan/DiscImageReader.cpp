#include "scan/DiscImageReader.h"

#include "catalog/CatalogFileSystem.h"
#include "scan/FileSystemReader.h"
#include "scan/ImageFolders.h"
#include "scan/PlainImageTree.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QUtf8StringView>

#include <memory>

namespace kobrix {

bool DiscImageReader::isImagePath(const QString &path)
{
    return path.endsWith(QLatin1String(".iso"), Qt::CaseInsensitive)
        && filesystem::pathKind(path) == filesystem::PathKind::File;
}

bool DiscImageReader::isDevicePath(const QString &path) { return isDeviceNode(path); }

RuntimeError DiscImageReader::open(const QString &imagePath)
{
    m_readsDrive = false;
    return openImage(imagePath);
}

RuntimeError DiscImageReader::openImage(const QString &imagePath)
{
    m_folders.clear();
    m_plain.reset();
    m_damagedFolder.clear();
    m_open = false;
    m_openPending = false;
    m_imagePath = imagePath;
    const QFileInfo info(imagePath);
    const bool device = isDevicePath(imagePath);
    if (!info.exists())
        return RuntimeError(m_readsDrive ? DeviceUnavailable : FileNotFound);
    if (!info.isFile() && !device)
        return RuntimeError(PathFileAccessError);

    ImageFolders read;
    RuntimeError error = readImageFolders(imagePath, ImageRoute::Direct, read);
    if (error.number() == DeviceIoError && (device || m_readsDrive))
        error = RuntimeError(DeviceIoError,
                             QCoreApplication::translate("kobrix::RuntimeError",
                                                         "Not a data disc that can be read "
                                                         "(ISO 9660, Joliet or Rock Ridge): %1")
                                 .arg(error.description()));
    if (error)
        return error;
    m_folders = std::move(read.folders);
    m_plain = std::move(read.plain);
    // The walk fails on the damaged folder, or on the nearest folder above
    // it that the tree holds.
    m_damagedFolder = read.damagedPath;
    m_damagedError = read.damagedError;
    while (!m_damagedFolder.isEmpty() && !m_folders.contains(m_damagedFolder)) {
        const qsizetype slash = m_damagedFolder.lastIndexOf('/');
        m_damagedFolder = slash <= 0 ? QByteArray("/") : m_damagedFolder.left(slash);
    }
    m_open = true;
    return RuntimeError();
}

void DiscImageReader::openOnFirstRead(const QString &devicePath)
{
    m_folders.clear();
    m_plain.reset();
    m_open = false;
    m_openPending = true;
    m_readsDrive = true;
    m_imagePath = devicePath;
}

QByteArray DiscImageReader::rootPath(const QString &) const
{
    return QByteArray("/");
}

QString DiscImageReader::displayPath(const QByteArray &nativePath) const
{
    if (nativePath == "/" && !m_imagePath.isEmpty())
        return m_imagePath;
    // The image's names are libarchive's UTF-8 wherever it could convert
    // them, on every system; the others are the image's own bytes.
    if (QUtf8StringView(nativePath).isValidUtf8())
        return QString::fromUtf8(nativePath);
    return DirectoryReader::displayPath(nativePath);
}

RuntimeError DiscImageReader::read(const QByteArray &nativePath, bool isRoot,
                                   DirectoryListing &listing)
{
    listing.clear();
    if (isRoot && m_openPending) {
        if (RuntimeError error = openImage(m_imagePath))
            return error;
    }
    if (m_open && m_plain) {
        if (!m_plain->contains(nativePath))
            return RuntimeError(isRoot ? DeviceUnavailable : PathNotFound);
        // Listed straight into the caller's listing, whose room serves
        // one folder after the other. Hidden entries (a dot in front) and
        // what lies below hidden folders are left out, as on a mounted disc.
        m_plain->list(nativePath, listing);
        const auto hidden = [](const DirectoryEntry &e) { return e.nativeName.startsWith('.'); };
        std::erase_if(listing.subdirectories, hidden);
        std::erase_if(listing.files, hidden);
        return RuntimeError();
    }
    const auto it = m_folders.constFind(nativePath);
    if (!m_open || it == m_folders.constEnd())
        return RuntimeError(isRoot ? DeviceUnavailable : PathNotFound);
    if (nativePath == m_damagedFolder)
        return m_damagedError;
    for (const DirectoryEntry &dir : it->subdirectories) {
        if (!dir.nativeName.startsWith('.'))
            listing.subdirectories.push_back(dir);
    }
    for (const DirectoryEntry &file : it->files) {
        if (!file.nativeName.startsWith('.'))
            listing.files.push_back(file);
    }
    return RuntimeError();
}


RuntimeError makeReaderFor(const QString &root, std::unique_ptr<DirectoryReader> &reader)
{
    if (!DiscImageReader::isImagePath(root) && !DiscImageReader::isDevicePath(root)) {
        reader = std::make_unique<FileSystemReader>();
        return RuntimeError();
    }
    auto image = std::make_unique<DiscImageReader>();
    const RuntimeError error = image->open(root);
    reader = std::move(image);
    return error;
}

ListingSize DiscImageReader::expectedListing() const
{
    return m_open && m_plain ? m_plain->listingSize() : ListingSize();
}

} // namespace kobrix
