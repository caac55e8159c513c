#include "scan/DiscImageReader.h"

#include "scan/ArchiveTree.h"
#include "scan/FileSystemReader.h"
#include "scan/ImageTree.h"
#include "scan/RockRidgeTree.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QUtf8StringView>

#include <cerrno>
#include <memory>

namespace kobrix {

namespace {

// Reads the image's tree, the best way that works: libarchive with Rock
// Ridge; the image's Rock Ridge entries directly, for images libarchive
// refuses (such as folders relocated to the root, which it takes for
// damage); libarchive with Joliet or ISO 9660 names, when the Rock Ridge
// entries cannot be read at all. The first reason is kept when none works.
//
// libarchive converts Joliet names through the C library's character set;
// where it cannot convert one, the Joliet tree is read by Kobrix's own
// reader, which decodes the names itself (and names the folder of a name
// that is no valid UTF-16).
RuntimeError readJolietInstead(const QString &imagePath, ImageTree &tree)
{
    tree = ImageTree();
    QFile file(imagePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return RuntimeError(DeviceIoError, file.errorString());
    return readJolietTree(file, tree);
}

RuntimeError readImageTree(const QString &imagePath, ImageTree &tree)
{
    RuntimeError error;
    const ArchiveOutcome outcome = readArchiveTree(imagePath, nullptr, tree, error);
    if (outcome == ArchiveOutcome::NameNotConverted)
        return readJolietInstead(imagePath, tree);
    if (outcome != ArchiveOutcome::NotUnderstood)
        return error;

    tree = ImageTree();
    QFile file(imagePath);
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) && !readRockRidgeTree(file, tree))
        return RuntimeError();

    tree = ImageTree();
    RuntimeError plainError;
    const ArchiveOutcome plain = readArchiveTree(imagePath, "iso9660:!rockridge", tree, plainError);
    if (plain == ArchiveOutcome::NameNotConverted)
        return readJolietInstead(imagePath, tree);
    if (plain == ArchiveOutcome::Read)
        return RuntimeError();
    return error;
}

} // namespace

bool DiscImageReader::isImagePath(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.suffix().compare(QLatin1String("iso"), Qt::CaseInsensitive) == 0;
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
    m_open = false;
    m_openPending = false;
    m_imagePath = imagePath;
    const QFileInfo info(imagePath);
    const bool device = isDevicePath(imagePath);
    if (!info.exists())
        return RuntimeError(m_readsDrive ? DeviceUnavailable : FileNotFound);
    if (!info.isFile() && !device)
        return RuntimeError(PathFileAccessError);

    ImageTree tree;
    RuntimeError error = readImageTree(imagePath, tree);
    if (error.number() == DeviceIoError && (device || m_readsDrive))
        error = RuntimeError(DeviceIoError,
                             QCoreApplication::translate("kobrix::RuntimeError",
                                                         "Not a data disc that can be read "
                                                         "(ISO 9660, Joliet or Rock Ridge): %1")
                                 .arg(error.description()));
    if (error)
        return error;
    m_folders = tree.takeFolders();
    m_open = true;
    return RuntimeError();
}

void DiscImageReader::openOnFirstRead(const QString &devicePath)
{
    m_folders.clear();
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
    const auto it = m_folders.constFind(nativePath);
    if (!m_open || it == m_folders.constEnd())
        return RuntimeError(isRoot ? DeviceUnavailable : PathNotFound);
    // Hidden entries (a dot in front) and what lies below hidden folders
    // are left out, as on a mounted disc.
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

} // namespace kobrix
