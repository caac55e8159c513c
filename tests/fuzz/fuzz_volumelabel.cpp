// Fuzzes the reader of a disc's label: any volume descriptors and UDF
// anchor and sequence give a label without a crash, a hang or a read past
// the image, and the label is a name (no control characters, no trailing
// blanks, no longer than the longest identifier field). The input is four
// sectors of volume descriptors (sectors 16 to 19 of the image) and then
// what lies from sector 256 on, where UDF's anchor sits; all other sectors
// are zeros.

#include "scan/VolumeLabel.h"

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
    constexpr std::size_t kDescriptors = 4 * 2048;
    QByteArray image(16 * 2048, '\0');
    image.append(reinterpret_cast<const char *>(data), qsizetype(std::min(size, kDescriptors)));
    if (size > kDescriptors) {
        image.resize(256 * 2048, '\0');
        image.append(reinterpret_cast<const char *>(data) + kDescriptors,
                     qsizetype(size - kDescriptors));
    }
    QBuffer buffer(&image);
    buffer.open(QIODevice::ReadOnly);
    RuntimeError error;
    const QString label = volumeLabelOf(buffer, &error);
    // A UDF d-string holds at most 126 characters of 8 bits.
    if (label.size() > 126 || label.endsWith(u' ') || (error && !label.isEmpty()))
        std::abort();
    for (const QChar c : label) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            std::abort();
    }
    return 0;
}
