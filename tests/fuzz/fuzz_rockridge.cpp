// Fuzzes the Rock Ridge reader of disc images: any directory records, system
// use entries, child links and link targets are read without a crash or a
// hang, and give folders whose names hold no slash. The input is two sectors
// of volume descriptors (sectors 16 and 17 of the image) and then what lies
// from sector 48 on, where xorriso puts the folders of a small image; all
// other sectors are zeros.

#include "scan/ImageTree.h"
#include "scan/RockRidgeTree.h"

#include <QBuffer>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace kobrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // QBuffer warns of every seek beyond its end; the reader expects them.
    static const QtMessageHandler quiet =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    (void)quiet;
    constexpr std::size_t kDescriptors = 2 * 2048;
    QByteArray image(16 * 2048, '\0');
    image.append(reinterpret_cast<const char *>(data), qsizetype(std::min(size, kDescriptors)));
    if (size > kDescriptors) {
        image.resize(48 * 2048, '\0');
        image.append(reinterpret_cast<const char *>(data) + kDescriptors,
                     qsizetype(size - kDescriptors));
    }
    QBuffer buffer(&image);
    buffer.open(QIODevice::ReadOnly);
    ImageTree tree;
    if (readRockRidgeTree(buffer, tree))
        return 0;
    const QHash<QByteArray, DirectoryListing> folders = tree.takeFolders();
    if (!folders.contains("/"))
        std::abort();
    for (auto it = folders.cbegin(); it != folders.cend(); ++it) {
        if (!it.key().startsWith('/'))
            std::abort();
        for (const auto *entries : {&it->subdirectories, &it->files}) {
            for (const DirectoryEntry &entry : *entries) {
                if (entry.nativeName.isEmpty() || entry.nativeName.contains('/'))
                    std::abort();
            }
        }
    }
    return 0;
}
