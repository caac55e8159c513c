#include "scan/DiscImageReader.h"

#include "catalog/CatalogFileSystem.h"
#include "scan/ArchiveTree.h"
#include "scan/FileSystemReader.h"
#include "scan/ImageTree.h"
#include "scan/RockRidgeTree.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QUtf8StringView>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <memory>

namespace kobrix {

namespace {

// A folder of the image that cannot be read, and why.
struct DamagedFolder
{
    QByteArray path;
    RuntimeError error;
};

// Reads the image's own tree (Rock Ridge unless left aside, else Joliet)
// into tree. A folder that cannot be read goes to damaged; the image's other
// failures are returned. An image with neither tree leaves tree empty.
RuntimeError readOwnTree(const QString &imagePath, bool rockRidge, ImageTree &tree,
                         DamagedFolder &damaged, bool *found = nullptr)
{
    if (found)
        *found = true;
    QFile file(imagePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return RuntimeError(DeviceIoError, file.errorString());
    TreeFailure failure;
    RuntimeError error;
    if (rockRidge)
        error = readRockRidgeTree(file, tree, &failure);
    if (!rockRidge || (error && failure.noSuchTree)) {
        tree = ImageTree();
        failure = TreeFailure();
        error = readJolietTree(file, tree, &failure);
        if (error && failure.noSuchTree) {
            tree = ImageTree();
            if (found)
                *found = false;
            return RuntimeError();
        }
    }
    if (error && !failure.folder.isEmpty()) {
        damaged = {failure.folder, error};
        return RuntimeError();
    }
    return error;
}

// Reads the image's tree, the best way that works: libarchive with Rock
// Ridge; the image's Rock Ridge entries directly, for images libarchive
// refuses (such as folders relocated to the root, which it takes for
// damage); libarchive with Joliet or ISO 9660 names, when the Rock Ridge
// entries cannot be read at all. The first reason is kept when none works.
//
// libarchive passes over a folder it cannot read without a word, so a tree
// it read is checked by reading the image's own tree as well: a folder
// that cannot be read there goes to damaged, and the walk fails on it as on
// a folder of a disc that cannot be read. libarchive converts Joliet names
// through the C library's character set; where it cannot convert one, the
// Joliet tree is read by Kobrix's own reader, which decodes the names
// itself (a name that is no valid UTF-16 makes its folder damaged).
// The first folder, in the walk's order, whose listing in listed differs
// from the one in own; empty when none does.
QByteArray firstDifference(const QHash<QByteArray, DirectoryListing> &listed,
                           const QHash<QByteArray, DirectoryListing> &own)
{
    const auto sameNames = [](const std::vector<DirectoryEntry> &a,
                              const std::vector<DirectoryEntry> &b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](const DirectoryEntry &x, const DirectoryEntry &y) {
                              return x.nativeName == y.nativeName;
                          });
    };
    std::deque<QByteArray> queue{QByteArray("/")};
    while (!queue.empty()) {
        const QByteArray path = std::move(queue.front());
        queue.pop_front();
        const auto a = listed.constFind(path);
        const auto b = own.constFind(path);
        if (a == listed.constEnd() || b == own.constEnd()
            || !sameNames(a->subdirectories, b->subdirectories) || !sameNames(a->files, b->files))
            return path;
        for (const DirectoryEntry &dir : b->subdirectories)
            queue.push_back(path == "/" ? '/' + dir.nativeName : path + '/' + dir.nativeName);
    }
    return listed.size() == own.size() ? QByteArray() : QByteArray("/");
}

RuntimeError readImageTree(const QString &imagePath, QHash<QByteArray, DirectoryListing> &folders,
                           DamagedFolder &damaged)
{
    ImageTree tree;
    RuntimeError error;
    const ArchiveOutcome outcome = readArchiveTree(imagePath, nullptr, tree, error);
    if (outcome == ArchiveOutcome::NameNotConverted) {
        tree = ImageTree();
        error = readOwnTree(imagePath, true, tree, damaged);
        folders = tree.takeFolders();
        return error;
    }
    if (outcome == ArchiveOutcome::Read) {
        folders = tree.takeFolders();
        ImageTree own;
        bool found = false;
        if (RuntimeError ownError = readOwnTree(imagePath, true, own, damaged, &found))
            return ownError;
        if (found && damaged.path.isEmpty()) {
            // Both read the whole tree: they must agree on every folder.
            damaged.path = firstDifference(folders, own.takeFolders());
            damaged.error = RuntimeError(
                DeviceIoError, QCoreApplication::translate("kobrix::RuntimeError",
                                                           "Damaged disc image: %1")
                                   .arg(QCoreApplication::translate(
                                       "kobrix::RuntimeError",
                                       "the folder's entries cannot all be read")));
        }
        return RuntimeError();
    }
    if (outcome == ArchiveOutcome::Unreadable)
        return error;

    tree = ImageTree();
    QFile file(imagePath);
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) && !readRockRidgeTree(file, tree)) {
        folders = tree.takeFolders();
        return RuntimeError();
    }

    tree = ImageTree();
    RuntimeError plainError;
    const ArchiveOutcome plain = readArchiveTree(imagePath, "iso9660:!rockridge", tree, plainError);
    if (plain != ArchiveOutcome::Read && plain != ArchiveOutcome::NameNotConverted)
        return error;
    // The Joliet names, checked (or read, where libarchive could not convert
    // them) as above.
    ImageTree joliet;
    if (RuntimeError jolietError = readOwnTree(imagePath, false, joliet, damaged))
        return jolietError;
    folders = (plain == ArchiveOutcome::NameNotConverted ? joliet : tree).takeFolders();
    return RuntimeError();
}

} // namespace

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

    QHash<QByteArray, DirectoryListing> folders;
    DamagedFolder damaged;
    RuntimeError error = readImageTree(imagePath, folders, damaged);
    if (error.number() == DeviceIoError && (device || m_readsDrive))
        error = RuntimeError(DeviceIoError,
                             QCoreApplication::translate("kobrix::RuntimeError",
                                                         "Not a data disc that can be read "
                                                         "(ISO 9660, Joliet or Rock Ridge): %1")
                                 .arg(error.description()));
    if (error)
        return error;
    m_folders = std::move(folders);
    // The walk fails on the damaged folder, or on the nearest folder above
    // it that the tree holds.
    m_damagedFolder = damaged.path;
    m_damagedError = damaged.error;
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
    if (nativePath == m_damagedFolder)
        return m_damagedError;
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
