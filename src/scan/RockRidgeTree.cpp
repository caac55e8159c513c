#include "scan/RockRidgeTree.h"

#include "scan/ImageTree.h"
#include "scan/IsoRecords.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QIODevice>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <deque>

namespace kobrix {

namespace {

using namespace iso;

RuntimeError damaged(const char *why)
{
    return RuntimeError(
        DeviceIoError, QCoreApplication::translate("kobrix::RuntimeError", "Damaged disc image: %1")
                           .arg(QLatin1String(why)));
}

// What the Rock Ridge entries of one directory record say.
struct RockRidgeEntry
{
    QByteArray name;
    bool hasName = false;
    quint32 mode = 0;
    bool hasMode = false;
    QByteArray linkTarget;
    bool isLink = false;
    bool linkPartOpen = false; // the last link part goes on in the next one
    quint32 childLink = 0;
    bool hasChildLink = false;
    bool relocated = false;
};

// One folder still to read.
struct PendingFolder
{
    quint32 extent;
    quint32 size;
    QByteArray path;
};

class RockRidgeReader
{
public:
    // joliet: reads the Joliet tree (UTF-16 names) rather than the Rock
    // Ridge entries of the primary one.
    RockRidgeReader(QIODevice &image, ImageTree &tree, bool joliet, TreeFailure *failure)
        : m_image(image)
        , m_tree(tree)
        , m_joliet(joliet)
        , m_failure(failure ? *failure : m_ownFailure)
    {}

    RuntimeError read();

private:
    RuntimeError readAt(qint64 offset, qint64 size, QByteArray &bytes);
    RuntimeError readFolder(const PendingFolder &folder);
    static RuntimeError readJolietName(const QByteArray &record, QByteArray &name);
    RuntimeError readSystemUse(QByteArray area, RockRidgeEntry &entry);
    void readLinkParts(const char *data, int size, RockRidgeEntry &entry);
    RuntimeError readTree(quint32 rootExtent, quint32 rootSize);
    RuntimeError queueFolder(quint32 extent, quint32 size, const QByteArray &path);

    QIODevice &m_image;
    ImageTree &m_tree;
    const bool m_joliet;
    TreeFailure m_ownFailure;
    TreeFailure &m_failure;
    qint64 m_blockSize = kSectorSize;
    int m_skip = 0; // bytes before the entries of every system use area
    std::deque<PendingFolder> m_queue;
    QSet<quint32> m_folderExtents;
    qsizetype m_entries = 0;
};

RuntimeError RockRidgeReader::readAt(qint64 offset, qint64 size, QByteArray &bytes)
{
    if (!m_image.seek(offset))
        return damaged("record beyond the end of the image");
    bytes = m_image.read(size);
    if (bytes.size() == size)
        return RuntimeError();
    const auto *file = qobject_cast<const QFileDevice *>(&m_image);
    if (file && file->error() != QFileDevice::NoError)
        return RuntimeError(DeviceIoError, file->errorString());
    return damaged("record beyond the end of the image");
}

void RockRidgeReader::readLinkParts(const char *data, int size, RockRidgeEntry &entry)
{
    // Components: flags, length, content. A component may go on in the next
    // one (flag 1), or stand for ".", ".." or the root (flags 2, 4 and 8; 16,
    // the volume's root, counts as the root as well; 32, the host, is
    // dropped).
    int at = 0;
    while (at + 2 <= size) {
        const auto flags = static_cast<quint8>(data[at]);
        const int length = static_cast<quint8>(data[at + 1]);
        if (at + 2 + length > size)
            break;
        at += 2 + length;
        if (flags & (0x08 | 0x10)) {
            entry.linkTarget = "/";
            entry.linkPartOpen = false;
            continue;
        }
        if (flags & 0x20)
            continue;
        const QByteArray part = (flags & 0x02)   ? QByteArray(".")
                                : (flags & 0x04) ? QByteArray("..")
                                                 : QByteArray(data + at - length, length);
        if (!entry.linkTarget.isEmpty() && !entry.linkPartOpen && !entry.linkTarget.endsWith('/'))
            entry.linkTarget.append('/');
        entry.linkTarget.append(part);
        entry.linkPartOpen = flags & 0x01;
    }
}

RuntimeError RockRidgeReader::readSystemUse(QByteArray area, RockRidgeEntry &entry)
{
    for (int continuations = 0;; ++continuations) {
        bool goesOn = false;
        quint32 nextBlock = 0, nextOffset = 0, nextSize = 0;
        qsizetype at = 0;
        while (at + 4 <= area.size()) {
            const char *e = area.constData() + at;
            const int length = static_cast<quint8>(e[2]);
            if (length < 4 || at + length > area.size())
                break; // padding, or the end of what can be read
            const QByteArray signature(e, 2);
            if (signature == "ST")
                break;
            if (signature == "CE" && length >= 28) {
                goesOn = true;
                nextBlock = le32(e + 4);
                nextOffset = le32(e + 12);
                nextSize = le32(e + 20);
            } else if (signature == "NM" && length >= 5) {
                // Flags 2 and 4 name "." and ".."; they never name an entry.
                if (!(static_cast<quint8>(e[4]) & 0x06)) {
                    entry.name.append(e + 5, length - 5);
                    entry.hasName = true;
                }
            } else if (signature == "PX" && length >= 12) {
                entry.mode = le32(e + 4);
                entry.hasMode = true;
            } else if (signature == "SL" && length >= 5) {
                entry.isLink = true;
                readLinkParts(e + 5, length - 5, entry);
            } else if (signature == "CL" && length >= 12) {
                entry.childLink = le32(e + 4);
                entry.hasChildLink = true;
            } else if (signature == "RE") {
                entry.relocated = true;
            }
            at += length;
        }
        if (!goesOn)
            return RuntimeError();
        if (continuations >= kMaxContinuations || nextSize > kMaxContinuationBytes)
            return damaged("Rock Ridge continuation areas without end");
        if (RuntimeError error =
                readAt(qint64(nextBlock) * m_blockSize + nextOffset, nextSize, area))
            return error;
    }
}

RuntimeError RockRidgeReader::queueFolder(quint32 extent, quint32 size, const QByteArray &path)
{
    if (size > kMaxFolderBytes)
        return damaged("folder too large");
    if (m_folderExtents.contains(extent))
        return damaged("a folder contains itself");
    m_folderExtents.insert(extent);
    m_queue.push_back({extent, size, path});
    m_tree.add(path, ImageEntryKind::Folder);
    return RuntimeError();
}

RuntimeError RockRidgeReader::readFolder(const PendingFolder &folder)
{
    QByteArray records;
    if (RuntimeError error = readAt(qint64(folder.extent) * m_blockSize, folder.size, records))
        return error;
    // Every folder begins with its own record (".", at its own place) and
    // its parent's (".."); one that does not is no folder.
    int recordsSeen = 0;
    qsizetype at = 0;
    while (at < records.size()) {
        const char *r = records.constData() + at;
        const int length = static_cast<quint8>(r[0]);
        if (length == 0 && recordsSeen < 2)
            return damaged("a folder without its own records");
        if (length == 0) {
            // The rest of this sector is padding (zeros): records never
            // cross one. Anything else there is a record overrun by the one
            // before it.
            const qsizetype end = std::min<qsizetype>((at / kSectorSize + 1) * kSectorSize,
                                                      records.size());
            if (std::any_of(r, records.constData() + end, [](char c) { return c != 0; }))
                return damaged("invalid directory record");
            at = end;
            continue;
        }
        const int nameLength =
            length > kRecordNameLength ? static_cast<quint8>(r[kRecordNameLength]) : 0;
        if (length < kRecordName + 1 || at + length > records.size()
            || kRecordName + nameLength > length)
            return damaged("invalid directory record");
        at += length;
        const QByteArray isoName(r + kRecordName, nameLength);
        const int index = recordsSeen++;
        if (index == 0 && (isoName != QByteArray(1, '\0') || le32(r + kRecordExtent) != folder.extent))
            return damaged("a folder without its own records");
        if (index == 1 && isoName != QByteArray(1, '\1'))
            return damaged("a folder without its own records");
        if (isoName == QByteArray(1, '\0') || isoName == QByteArray(1, '\1'))
            continue; // "." and ".."
        if (++m_entries > kMaxEntries)
            return damaged("too many entries");
        const auto flags = static_cast<quint8>(r[kRecordFlags]);
        if ((flags & kFlagDirectory) && (flags & kFlagMultiExtent))
            return damaged("a folder in more than one part");
        if (flags & kFlagsReserved)
            return damaged("invalid directory record");
        if (flags & kFlagAssociated)
            continue;

        if (m_joliet) {
            QByteArray name;
            if (RuntimeError error = readJolietName(isoName, name))
                return error;
            const QByteArray path = folder.path == "/" ? '/' + name : folder.path + '/' + name;
            if (flags & kFlagDirectory) {
                if (RuntimeError error =
                        queueFolder(le32(r + kRecordExtent), le32(r + kRecordSize), path))
                    return error;
            } else if (!(flags & kFlagMultiExtent)) {
                m_tree.add(path, ImageEntryKind::File);
            }
            continue;
        }

        RockRidgeEntry entry;
        const int systemUse = kRecordName + nameLength + (nameLength % 2 == 0 ? 1 : 0) + m_skip;
        if (systemUse < length) {
            if (RuntimeError error =
                    readSystemUse(QByteArray(r + systemUse, length - systemUse), entry))
                return error;
        }
        if (entry.relocated)
            continue; // listed where its child link stands
        QByteArray name = entry.name;
        if (!entry.hasName) {
            // A plain ISO 9660 name: "README.TXT;1" is README.TXT.
            name = isoName.left(isoName.indexOf(';') < 0 ? isoName.size() : isoName.indexOf(';'));
            if (name.endsWith('.'))
                name.chop(1);
        }
        if (name.isEmpty() || name == "." || name == ".." || name.contains('/')
            || name.contains('\0'))
            return damaged("invalid name");
        const QByteArray path = folder.path == "/" ? '/' + name : folder.path + '/' + name;

        if (entry.hasChildLink) {
            // A relocated folder: its own "." record tells its size.
            QByteArray self;
            if (RuntimeError error =
                    readAt(qint64(entry.childLink) * m_blockSize, kRecordName + 1, self))
                return error;
            if (static_cast<quint8>(self[0]) < kRecordName + 1
                || le32(self.constData() + kRecordExtent) != entry.childLink)
                return damaged("invalid Rock Ridge child link");
            if (RuntimeError error =
                    queueFolder(entry.childLink, le32(self.constData() + kRecordSize), path))
                return error;
            continue;
        }
        if (entry.hasMode && !isKnownType(entry.mode & kTypeMask))
            return damaged("an entry of no known type");
        // Only the record a relocated folder left behind (above) is a
        // folder to Rock Ridge and a file to ISO 9660.
        if (entry.hasMode && ((entry.mode & kTypeMask) == kTypeFolder) != bool(flags & kFlagDirectory))
            return damaged("an entry both a folder and not");
        const quint32 type = entry.hasMode              ? entry.mode & kTypeMask
                             : (flags & kFlagDirectory) ? kTypeFolder
                             : entry.isLink             ? kTypeLink
                                                        : kTypeFile;
        if (type == kTypeFolder || (flags & kFlagDirectory)) {
            if (RuntimeError error =
                    queueFolder(le32(r + kRecordExtent), le32(r + kRecordSize), path))
                return error;
        } else if (flags & kFlagMultiExtent) {
            continue; // a part of a large file: listed with its last part
        } else if (type == kTypeFile) {
            m_tree.add(path, ImageEntryKind::File);
        } else if (type == kTypeLink) {
            m_tree.add(path, ImageEntryKind::Link, entry.linkTarget);
        } else {
            m_tree.add(path, ImageEntryKind::Other);
        }
    }
    if (recordsSeen < 2)
        return damaged("a folder without its own records");
    return RuntimeError();
}

RuntimeError RockRidgeReader::readJolietName(const QByteArray &record, QByteArray &name)
{
    // UTF-16 big-endian; a file's version (";1") is no part of its name.
    QByteArray utf16 = record;
    static const QByteArray version = QByteArray::fromHex("003b0031");
    if (utf16.size() > version.size() && utf16.size() % 2 == 0 && utf16.endsWith(version))
        utf16.chop(4);
    QStringDecoder decoder(QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(utf16);
    // Qt's decoder lets a half of a surrogate pair through; no name holds one.
    bool pairsWhole = true;
    for (qsizetype i = 0; i < decoded.size() && pairsWhole; ++i) {
        if (decoded.at(i).isHighSurrogate() && i + 1 < decoded.size()
            && decoded.at(i + 1).isLowSurrogate())
            ++i;
        else if (decoded.at(i).isSurrogate())
            pairsWhole = false;
    }
    name = decoded.toUtf8();
    if (utf16.size() % 2 != 0 || decoder.hasError() || !pairsWhole || name.isEmpty() || name == "."
        || name == ".." || name.contains('/') || name.contains('\0'))
        return damaged("a name that is no valid Joliet name");
    return RuntimeError();
}

RuntimeError RockRidgeReader::read()
{
    // The primary volume descriptor, or for Joliet the supplementary one
    // whose escape sequence names UCS-2 (levels 1 to 3).
    QByteArray primary;
    for (int i = 0; i < kMaxDescriptors && primary.isEmpty(); ++i) {
        QByteArray descriptor;
        if (RuntimeError error = readAt((16 + i) * kSectorSize, kSectorSize, descriptor))
            return error;
        if (descriptor.mid(1, 5) != "CD001")
            return damaged("no ISO 9660 volume");
        const auto type = static_cast<quint8>(descriptor[0]);
        const QByteArray escape = descriptor.mid(88, 3);
        if (type == (m_joliet ? 2 : 1)
            && (!m_joliet || escape == "%/@" || escape == "%/C" || escape == "%/E"))
            primary = descriptor;
        else if (type == 255)
            break;
    }
    if (primary.isEmpty()) {
        m_failure.noSuchTree = m_joliet;
        return damaged(m_joliet ? "no Joliet volume descriptor" : "no primary volume descriptor");
    }
    m_blockSize = le16(primary.constData() + 128);
    if (m_blockSize != 512 && m_blockSize != 1024 && m_blockSize != 2048)
        return damaged("invalid block size");
    const char *rootRecord = primary.constData() + 156;
    if (m_joliet)
        return readTree(le32(rootRecord + kRecordExtent), le32(rootRecord + kRecordSize));

    // The root's "." record starts with the SP entry when the image has
    // Rock Ridge entries; it tells how many bytes every area skips.
    const quint32 rootExtent = le32(rootRecord + kRecordExtent);
    QByteArray self;
    if (RuntimeError error = readAt(qint64(rootExtent) * m_blockSize, 48, self))
        return error;
    const int selfLength = static_cast<quint8>(self[0]);
    const int spAt = kRecordName + 1;
    if (selfLength < spAt + 7 || self.mid(spAt, 4) != QByteArray("SP\x07\x01", 4)
        || static_cast<quint8>(self[spAt + 4]) != 0xBE
        || static_cast<quint8>(self[spAt + 5]) != 0xEF) {
        m_failure.noSuchTree = true;
        return damaged("no Rock Ridge entries");
    }
    m_skip = static_cast<quint8>(self[spAt + 6]);
    return readTree(rootExtent, le32(rootRecord + kRecordSize));
}

RuntimeError RockRidgeReader::readTree(quint32 rootExtent, quint32 rootSize)
{
    if (RuntimeError error = queueFolder(rootExtent, rootSize, "/"))
        return error;
    while (!m_queue.empty()) {
        const PendingFolder folder = std::move(m_queue.front());
        m_queue.pop_front();
        if (RuntimeError error = readFolder(folder)) {
            m_failure.folder = folder.path;
            return error;
        }
    }
    return RuntimeError();
}

} // namespace

RuntimeError readRockRidgeTree(QIODevice &image, ImageTree &tree, TreeFailure *failure)
{
    return RockRidgeReader(image, tree, false, failure).read();
}

RuntimeError readJolietTree(QIODevice &image, ImageTree &tree, TreeFailure *failure)
{
    return RockRidgeReader(image, tree, true, failure).read();
}

} // namespace kobrix
