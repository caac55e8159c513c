#include "scan/ImageFolders.h"

#include "scan/ArchiveTree.h"
#include "scan/ImageTree.h"
#include "scan/PlainImageTree.h"
#include "scan/RockRidgeTree.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <deque>

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

// An image of only folders and files, read from its own directory records
// (Rock Ridge names, else Joliet's) the quickest way. False for any other
// image, or one the plain reader doubts: the archive route then decides, as
// it always has, so that such an image lists (or fails) exactly as before.
// (Kobrix's full Rock Ridge reader is not asked first: where it reads a
// tree whole that libarchive reads otherwise, the archive route reports the
// image damaged, and that answer stays.)
bool readDirect(const QString &imagePath, ImageFolders &result)
{
    QFile file(imagePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    auto plain = std::make_shared<PlainImageTree>();
    if (!plain->read(file))
        return false;
    result.plain = std::move(plain);
    return true;
}

} // namespace

RuntimeError readImageFolders(const QString &imagePath, ImageRoute route, ImageFolders &result)
{
    result = ImageFolders();
    if (route == ImageRoute::Direct && readDirect(imagePath, result))
        return RuntimeError();
    result = ImageFolders();
    DamagedFolder damaged;
    const RuntimeError error = readImageTree(imagePath, result.folders, damaged);
    result.damagedPath = damaged.path;
    result.damagedError = damaged.error;
    return error;
}

} // namespace kobrix
