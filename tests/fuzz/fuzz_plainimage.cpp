// Fuzzes the quick reader of disc images (PlainImageTree) against the full
// ones: any volume descriptors and directory records are read without a
// crash, a hang or a read past the image, and whenever the quick reader
// takes an image it lists exactly what the full Rock Ridge (else Joliet)
// reader lists. The input is the image from sector 16 on (volume
// descriptors, then folders: xorriso puts those of a small image right
// after the descriptors); the sectors before it are zeros.

#include "scan/ImageTree.h"
#include "scan/PlainImageTree.h"
#include "scan/RockRidgeTree.h"

#include <QBuffer>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace kobrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // QBuffer warns of every seek beyond its end; the readers expect them.
    static const QtMessageHandler quiet =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    (void)quiet;
    QByteArray image(16 * 2048, '\0');
    image.append(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&image);
    buffer.open(QIODevice::ReadOnly);
    QHash<QByteArray, DirectoryListing> quick;
    if (!readPlainImageTree(buffer, quick))
        return 0;

    ImageTree tree;
    TreeFailure failure;
    RuntimeError error = readRockRidgeTree(buffer, tree, &failure);
    if (error && failure.noSuchTree) {
        tree = ImageTree();
        error = readJolietTree(buffer, tree);
    }
    if (error)
        std::abort(); // the quick reader took an image the full one refuses
    const QHash<QByteArray, DirectoryListing> full = tree.takeFolders();
    const auto same = [](const std::vector<DirectoryEntry> &a, const std::vector<DirectoryEntry> &b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](const DirectoryEntry &x, const DirectoryEntry &y) {
                              return x.nativeName == y.nativeName && x.displayName == y.displayName;
                          });
    };
    if (full.size() != quick.size())
        std::abort();
    for (auto it = full.cbegin(); it != full.cend(); ++it) {
        const auto other = quick.constFind(it.key());
        if (other == quick.cend() || !same(it->subdirectories, other->subdirectories)
            || !same(it->files, other->files))
            std::abort();
    }
    return 0;
}
