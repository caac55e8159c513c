#include "scan/VolumeLabel.h"

#include "scan/FileSystemReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QStringDecoder>

#include <algorithm>
#include <iterator>
#include <limits>

namespace kobrix {

namespace {

constexpr qint64 kSector = 2048;
// The volume descriptors start at sector 16 on every ISO 9660 and UDF disc.
constexpr qint64 kFirstDescriptor = 16;
// More descriptors than any disc holds before its terminator: the reading
// stops here on an image that never ends its set.
constexpr int kMaxDescriptors = 64;
// The UDF anchor sits at sector 256 of the disc's own block size.
constexpr qint64 kUdfAnchorBlock = 256;
// The blocks of the main descriptor sequence read at most (UDF asks for at
// least 16 and discs use fewer than 32).
constexpr qint64 kMaxSequenceBlocks = 64;

// The bytes at offset on image, exactly size of them, or empty when the
// image ends before. The image's size is known, but for a drive's device,
// whose size the system reports as 0: there the read itself comes short.
QByteArray readAt(QIODevice &image, bool sizeKnown, quint64 offset, qint64 size)
{
    if (offset > quint64(std::numeric_limits<qint64>::max() - size))
        return {};
    if (sizeKnown && qint64(offset) + size > image.size())
        return {};
    if (!image.seek(qint64(offset)))
        return {};
    QByteArray bytes = image.read(size);
    return bytes.size() == size ? bytes : QByteArray();
}

quint16 le16(const QByteArray &b, qsizetype at)
{
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

quint32 le32(const QByteArray &b, qsizetype at)
{
    return quint32(le16(b, at)) | quint32(le16(b, at + 2)) << 16;
}

// A label as a name: it ends at a NUL, other control characters (which
// would split a catalog record) become blanks, trailing blanks go.
QString trimmedEnd(QString text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
    }
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    text.truncate(end);
    return text;
}

// UCS-2 (or UTF-16) big-endian text; a lone surrogate that cannot be
// decoded becomes U+FFFD rather than ending the name.
QString fromUtf16Be(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf16BE);
    return decoder.decode(bytes.first(bytes.size() & ~qsizetype(1)));
}

// The primary descriptor's identifier: d-characters as a rule, but mastering
// tools write UTF-8 into it when asked for other letters; other bytes are
// taken as Latin-1.
QString fromIdentifier(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString::fromLatin1(bytes) : text;
}

bool isJolietEscape(QByteArrayView escapes)
{
    // "%/@", "%/C" or "%/E": UCS-2 levels 1 to 3.
    for (qsizetype i = 0; i + 2 < escapes.size(); ++i) {
        if (escapes[i] == '%' && escapes[i + 1] == '/'
            && (escapes[i + 2] == '@' || escapes[i + 2] == 'C' || escapes[i + 2] == 'E'))
            return true;
    }
    return false;
}

// An OSTA CS0 d-string of field's size: its first byte says 8 or 16 bits a
// character, its last byte how many of its bytes are used.
QString fromDString(QByteArrayView field)
{
    const int used = quint8(field.back());
    if (used < 2 || used > field.size() - 1)
        return {};
    const QByteArrayView text = field.sliced(1, used - 1);
    switch (quint8(field[0])) {
    case 8:
    case 254:
        return QString::fromLatin1(text);
    case 16:
    case 255:
        return fromUtf16Be(text);
    default:
        return {};
    }
}

// A UDF descriptor tag: its checksum and the block it says it sits in must
// match, so that stray bytes are not taken for a descriptor.
bool isUdfTag(const QByteArray &block, quint32 location, quint16 *identifier)
{
    quint8 sum = 0;
    for (int i = 0; i < 16; ++i) {
        if (i != 4)
            sum = quint8(sum + quint8(block[i]));
    }
    if (sum != quint8(block[4]) || le32(block, 12) != location)
        return false;
    *identifier = le16(block, 0);
    return true;
}

// The logical volume identifier of a UDF disc with blocks of blockSize, or
// a null text when there is no valid anchor at that size.
QString udfLabel(QIODevice &image, bool sizeKnown, qint64 blockSize, bool *found)
{
    const QByteArray anchor =
        readAt(image, sizeKnown, quint64(kUdfAnchorBlock * blockSize), blockSize);
    quint16 identifier = 0;
    if (anchor.isEmpty() || !isUdfTag(anchor, kUdfAnchorBlock, &identifier) || identifier != 2)
        return {};
    *found = true;
    // The main volume descriptor sequence: its length in bytes, its block.
    const quint32 length = le32(anchor, 16);
    const quint32 first = le32(anchor, 20);
    const qint64 blocks = std::min<qint64>(length / blockSize, kMaxSequenceBlocks);
    for (qint64 i = 0; i < blocks; ++i) {
        const quint64 location = quint64(first) + quint64(i);
        if (location > std::numeric_limits<quint32>::max())
            break;
        const QByteArray block = readAt(image, sizeKnown, location * quint64(blockSize), blockSize);
        if (block.isEmpty() || !isUdfTag(block, quint32(location), &identifier))
            break;
        if (identifier == 6) // Logical Volume Descriptor
            return trimmedEnd(fromDString(QByteArrayView(block).sliced(84, 128)));
        if (identifier == 8) // Terminating Descriptor
            break;
    }
    return {};
}

RuntimeError noDescriptors()
{
    return RuntimeError(DeviceIoError,
                        QCoreApplication::translate("kobrix::RuntimeError",
                                                    "Not a data disc that can be read "
                                                    "(ISO 9660, Joliet or Rock Ridge): %1")
                            .arg(QCoreApplication::translate("kobrix::RuntimeError",
                                                             "no volume descriptor")));
}

QString labelOf(QIODevice &image, bool sizeKnown, RuntimeError *error)
{
    if (error)
        *error = RuntimeError();
    QString primary;
    QString joliet;
    bool found = false; // a volume descriptor of either standard
    bool primaryFound = false;
    for (int i = 0; i < kMaxDescriptors; ++i) {
        const QByteArray d =
            readAt(image, sizeKnown, quint64((kFirstDescriptor + i) * kSector), kSector);
        if (d.isEmpty())
            break;
        const QByteArrayView standard = QByteArrayView(d).sliced(1, 5);
        if (standard != "CD001") {
            // UDF's volume recognition sequence stands among the ISO 9660
            // descriptors; anything else ends them.
            static const char *const udfIds[] = {"BEA01", "NSR02", "NSR03", "TEA01", "BOOT2"};
            if (std::none_of(std::begin(udfIds), std::end(udfIds),
                             [&](const char *id) { return standard == id; }))
                break;
            continue;
        }
        const QByteArrayView identifier = QByteArrayView(d).sliced(40, 32);
        const quint8 type = quint8(d[0]);
        if (type == 255)
            break;
        if (type == 1 && !primaryFound) {
            found = primaryFound = true;
            primary = trimmedEnd(fromIdentifier(identifier));
        } else if (type == 2 && joliet.isEmpty()
                   && isJolietEscape(QByteArrayView(d).sliced(88, 32))) {
            found = true;
            joliet = trimmedEnd(fromUtf16Be(identifier));
        }
    }
    QString udf;
    for (const qint64 blockSize : {2048, 512, 1024, 4096}) {
        bool anchored = false;
        udf = udfLabel(image, sizeKnown, blockSize, &anchored);
        if (anchored) {
            found = true;
            break;
        }
    }
    if (!found) {
        if (error)
            *error = noDescriptors();
        return {};
    }
    // The longest name wins; on a tie the Unicode one, which keeps the
    // letters and case that the primary descriptor's characters drop.
    QString label = udf;
    for (const QString *candidate : {&joliet, &primary}) {
        if (candidate->size() > label.size())
            label = *candidate;
    }
    return label;
}

} // namespace

QString volumeLabelOf(QIODevice &image, RuntimeError *error)
{
    return labelOf(image, !image.isSequential(), error);
}

QString volumeLabelOfImage(const QString &imageOrDevicePath, RuntimeError *error)
{
    if (error)
        *error = RuntimeError();
    // Only a file or a drive's device holds an image: opening a FIFO would
    // wait for a writer that never comes.
    const QFileInfo info(imageOrDevicePath);
    if (info.exists() && !info.isFile() && !info.isDir() && !isDeviceNode(imageOrDevicePath)) {
        if (error)
            *error = RuntimeError(PathFileAccessError);
        return {};
    }
    QFile file(imageOrDevicePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        if (error) {
            if (!info.exists())
                *error = RuntimeError(FileNotFound);
            else if (info.isDir())
                *error = RuntimeError(PathFileAccessError);
            else if (file.error() == QFileDevice::PermissionsError)
                *error = RuntimeError(PermissionDenied);
            else // a drive without a disc (ENOMEDIUM) and the like
                *error = RuntimeError(DeviceUnavailable, file.errorString());
        }
        return {};
    }
    return labelOf(file, info.isFile(), error);
}

} // namespace kobrix
