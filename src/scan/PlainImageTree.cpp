#include "scan/PlainImageTree.h"

#include "core/MemoryAdvice.h"
#include "scan/IsoRecords.h"

#include <QIODevice>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace kobrix {

namespace {

using namespace iso;

constexpr qint64 kWindow = 1 << 18; // bytes read at once: folders lie close together

// size bytes of room at the end of to, to be written: one resize, which
// costs a name a fraction of Qt's general append.
char *appendRoom(QByteArray &to, std::size_t size)
{
    const qsizetype at = to.size();
    to.resize(at + qsizetype(size));
    return to.data() + at;
}

// Whether any of the eight bytes of word is zero.
bool hasZeroByte(std::uint64_t word)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    return ((word - kOnes) & ~word & (kOnes << 7)) != 0;
}

bool isValidName(const QByteArray &name)
{
    const std::string_view bytes(name.constData(), std::size_t(name.size()));
    if (bytes.empty() || bytes == "." || bytes == "..")
        return false;
    // No NUL and no slash, eight bytes at a time.
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (hasZeroByte(word) || hasZeroByte(word ^ 0x2F2F2F2F2F2F2F2Fu))
            return false;
    }
    return std::none_of(bytes.begin() + std::ptrdiff_t(i), bytes.end(),
                        [](char c) { return c == '/' || c == '\0'; });
}

// A Joliet name (UTF-16 big-endian, without its ";1") in UTF-8, into name
// (whose room is kept from one name to the next); false when it is none the
// Joliet reader accepts.
bool jolietName(const char *data, int size, QByteArray &name)
{
    if (size > 4 && size % 2 == 0 && data[size - 4] == 0 && data[size - 3] == ';'
        && data[size - 2] == 0 && data[size - 1] == '1')
        size -= 4;
    if (size % 2 != 0)
        return false;
    name.resize(size / 2);
    char *out = name.data();
    bool ascii = true;
    for (int i = 0; i < size && ascii; i += 2) {
        ascii = data[i] == 0 && static_cast<quint8>(data[i + 1]) < 0x80;
        *out++ = data[i + 1];
    }
    if (!ascii) {
        QStringDecoder decoder(QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder.decode(QByteArrayView(data, size));
        for (qsizetype i = 0; i < decoded.size(); ++i) {
            if (decoded.at(i).isHighSurrogate() && i + 1 < decoded.size()
                && decoded.at(i + 1).isLowSurrogate())
                ++i;
            else if (decoded.at(i).isSurrogate())
                return false;
        }
        if (decoder.hasError())
            return false;
        name = decoded.toUtf8();
    }
    return isValidName(name);
}

struct Pending
{
    quint32 extent;
    quint32 size;
    QByteArray path;
    std::size_t part; // which part of the folder's records
};

// Folders are read in the order of their records on the image, the lowest
// first: one sweep over the records, each byte read once, where reading
// them level by level sweeps the image once for each level.
bool readLater(const Pending &a, const Pending &b)
{
    return a.extent > b.extent;
}

// What the names of the entries a folder lists are kept as, one after the
// other: kind (a folder or a file), length, the name's bytes.
constexpr char kNamedFolder = 'd';
constexpr char kNamedFile = 'f';

using Part = PlainImageTree::Part;

} // namespace

class PlainImageTree::Reader
{
public:
    bool read();
    bool list(const QByteArray &path, DirectoryListing &listing) const;

    QIODevice *m_image = nullptr;
    // The parts of every folder's records, in the order they were found (a
    // folder named twice has two), by the folder's path.
    QHash<QByteArray, std::vector<Part>> m_folders;
    // The files of all folders and their listing lines' bytes, counted as
    // the records are read.
    ListingSize m_listingSize;

private:
    const char *windowAt(qint64 offset, qint64 size);
    bool readExact(qint64 offset, qint64 size, QByteArray &bytes);
    bool readFolder(const Pending &folder);
    bool readSystemUse(const char *data, int size, QByteArray &name, bool &hasName, quint32 &mode,
                       bool &hasMode);
    bool queueFolder(quint32 extent, quint32 size, const QByteArray &path);

    QByteArray m_window;
    qint64 m_windowStart = -1;
    qint64 m_windowSize = 0;
    QByteArray m_name; // the name of the record at hand
    // The names every folder lists, kept compactly: a tenth of the memory
    // of the listings themselves.
    QByteArray m_names;
    bool m_joliet = false;
    qint64 m_blockSize = kSectorSize;
    int m_skip = 0;
    std::vector<Pending> m_queue; // a heap: the folder lowest on the image on top
    QSet<quint32> m_extents;
    qsizetype m_entries = 0;
};

// size bytes at offset, read through a window of a quarter megabyte: the records of
// the next folders are most often in it already.
const char *PlainImageTree::Reader::windowAt(qint64 offset, qint64 size)
{
    if (m_windowStart < 0 || offset < m_windowStart || offset + size > m_windowStart + m_windowSize) {
        m_windowStart = -1;
        if (!m_image->seek(offset))
            return nullptr;
        // The buffer is kept from one read to the next: a fresh window
        // each time costs more in page faults than the reading itself.
        if (m_window.size() < std::max(size, kWindow))
            m_window.resize(std::max(size, kWindow));
        m_windowSize = m_image->read(m_window.data(), m_window.size());
        if (m_windowSize < size)
            return nullptr;
        m_windowStart = offset;
    }
    return m_window.constData() + (offset - m_windowStart);
}

bool PlainImageTree::Reader::readExact(qint64 offset, qint64 size, QByteArray &bytes)
{
    if (!m_image->seek(offset))
        return false;
    bytes = m_image->read(size);
    return bytes.size() == size;
}

bool PlainImageTree::Reader::readSystemUse(const char *data, int size, QByteArray &name, bool &hasName,
                                quint32 &mode, bool &hasMode)
{
    QByteArray more; // a continuation area
    for (int continuations = 0;; ++continuations) {
        bool goesOn = false;
        quint32 nextBlock = 0, nextOffset = 0, nextSize = 0;
        int at = 0;
        while (at + 4 <= size) {
            const char *e = data + at;
            const int length = static_cast<quint8>(e[2]);
            if (length < 4 || at + length > size)
                break;
            const char a = e[0], b = e[1];
            if (a == 'S' && b == 'T')
                break;
            if (a == 'C' && b == 'E' && length >= 28) {
                goesOn = true;
                nextBlock = le32(e + 4);
                nextOffset = le32(e + 12);
                nextSize = le32(e + 20);
            } else if (a == 'N' && b == 'M' && length >= 5) {
                if (!(static_cast<quint8>(e[4]) & 0x06)) {
                    // Parts of a name (NM entries) follow one another.
                    std::memcpy(appendRoom(name, std::size_t(length - 5)), e + 5, std::size_t(length - 5));
                    hasName = true;
                }
            } else if (a == 'P' && b == 'X' && length >= 12) {
                mode = le32(e + 4);
                hasMode = true;
            } else if ((a == 'S' && b == 'L' && length >= 5) || (a == 'C' && b == 'L' && length >= 12)
                       || (a == 'R' && b == 'E')) {
                return false; // a link or a relocated folder: the full reader's work
            }
            at += length;
        }
        if (!goesOn)
            return true;
        if (continuations >= kMaxContinuations || nextSize > kMaxContinuationBytes
            || !readExact(qint64(nextBlock) * m_blockSize + nextOffset, nextSize, more))
            return false;
        data = more.constData();
        size = int(more.size());
    }
}

bool PlainImageTree::Reader::queueFolder(quint32 extent, quint32 size, const QByteArray &path)
{
    if (size > kMaxFolderBytes || m_extents.contains(extent))
        return false;
    m_extents.insert(extent);
    std::vector<Part> &parts = m_folders[path];
    m_queue.push_back({extent, size, path, parts.size()});
    std::push_heap(m_queue.begin(), m_queue.end(), readLater);
    parts.push_back({});
    return true;
}

bool PlainImageTree::Reader::readFolder(const Pending &folder)
{
    // Room for the folder's names at most as long as its records, grown
    // by half at a time: many small steps would copy the names over and
    // over and touch fresh memory each time.
    if (m_names.capacity() - m_names.size() < qsizetype(folder.size)) {
        // The first room is an eighth of the image, within bounds: most
        // images' names then fit without a move. Only the part written
        // takes memory, in huge pages where the system has them: each
        // fresh small page costs a fault.
        constexpr qint64 kFirstRoomMin = qint64(1) << 18, kFirstRoomMax = qint64(16) << 20;
        const qsizetype first = qsizetype(std::clamp(m_image->size() / 8, kFirstRoomMin, kFirstRoomMax));
        m_names.reserve(std::max({m_names.size() + qsizetype(folder.size), m_names.capacity() * 3 / 2, first}));
        adviseHugePages(m_names.constData(), std::size_t(m_names.capacity()));
    }
    const qsizetype namesStart = m_names.size();
    const char *records = windowAt(qint64(folder.extent) * m_blockSize, folder.size);
    if (!records)
        return false;
    // The window stays where it is until the next folder: continuation
    // areas are read apart.
    const qsizetype total = folder.size;
    int recordsSeen = 0;
    qsizetype at = 0;
    while (at < total) {
        const char *r = records + at;
        const int length = static_cast<quint8>(r[0]);
        if (length == 0) {
            if (recordsSeen < 2)
                return false;
            const qsizetype end = std::min<qsizetype>((at / kSectorSize + 1) * kSectorSize, total);
            if (std::any_of(r, records + end, [](char c) { return c != 0; }))
                return false;
            at = end;
            continue;
        }
        const int nameLength =
            length > kRecordNameLength ? static_cast<quint8>(r[kRecordNameLength]) : 0;
        if (length < kRecordName + 1 || at + length > total || kRecordName + nameLength > length)
            return false;
        at += length;
        const char *isoName = r + kRecordName;
        const bool self = nameLength == 1 && isoName[0] == '\0';
        const bool parent = nameLength == 1 && isoName[0] == '\1';
        const int index = recordsSeen++;
        if (index == 0 && (!self || le32(r + kRecordExtent) != folder.extent))
            return false;
        if (index == 1 && !parent)
            return false;
        if (self && !m_joliet) {
            // The folder's own record is a folder to Rock Ridge too; the
            // archive's route finds one that says otherwise damaged.
            QByteArray ownName;
            bool hasName = false, hasMode = false;
            quint32 mode = 0;
            const int systemUse = kRecordName + nameLength + (nameLength % 2 == 0 ? 1 : 0) + m_skip;
            if (systemUse < length
                && (!readSystemUse(r + systemUse, length - systemUse, ownName, hasName, mode, hasMode)
                    || (hasMode && (mode & kTypeMask) != kTypeFolder)))
                return false;
        }
        if (self || parent)
            continue;
        if (++m_entries > kMaxEntries)
            return false;
        const auto flags = static_cast<quint8>(r[kRecordFlags]);
        if (((flags & kFlagDirectory) && (flags & kFlagMultiExtent)) || (flags & kFlagsReserved))
            return false;
        if (flags & kFlagAssociated)
            continue;

        // The name goes to m_name, whose room serves every record.
        QByteArray &name = m_name;
        name.resize(0);
        const bool isFolder = flags & kFlagDirectory;
        if (m_joliet) {
            if (!jolietName(isoName, nameLength, name))
                return false;
        } else {
            bool hasName = false, hasMode = false;
            quint32 mode = 0;
            const int systemUse = kRecordName + nameLength + (nameLength % 2 == 0 ? 1 : 0) + m_skip;
            if (systemUse < length
                && !readSystemUse(r + systemUse, length - systemUse, name, hasName, mode, hasMode))
                return false;
            if (!hasName) {
                // A plain ISO 9660 name: "README.TXT;1" is README.TXT.
                const QByteArrayView iso(isoName, nameLength);
                const qsizetype semicolon = iso.indexOf(';');
                name.append(iso.first(semicolon < 0 ? iso.size() : semicolon));
                if (name.endsWith('.'))
                    name.chop(1);
            }
            if (!isValidName(name))
                return false;
            if (hasMode) {
                const quint32 type = mode & kTypeMask;
                if (!isKnownType(type) || (type == kTypeFolder) != isFolder)
                    return false;
                if (!isFolder && type != kTypeFile && !(flags & kFlagMultiExtent))
                    return false; // a link, a device, a pipe: the full reader's work
            }
        }
        if (isFolder
            && !queueFolder(le32(r + kRecordExtent), le32(r + kRecordSize),
                            folder.path == "/" ? '/' + name : folder.path + '/' + name))
            return false;
        if (isFolder || !(flags & kFlagMultiExtent)) { // a large file is listed with its last part
            // Its kind, its size and its bytes (room is made ahead for the
            // whole folder).
            const auto size = quint32(name.size());
            char *out = appendRoom(m_names, 1 + sizeof size + std::size_t(size));
            *out = isFolder ? kNamedFolder : kNamedFile;
            std::memcpy(out + 1, &size, sizeof size);
            std::memcpy(out + 1 + sizeof size, name.constData(), std::size_t(size));
            if (!isFolder) {
                // The line: the folder's path, a backslash, the name.
                ++m_listingSize.files;
                m_listingSize.lineBytes += folder.path.size() + 1 + name.size();
            }
        }
    }
    if (recordsSeen < 2)
        return false;
    Part &part = m_folders[folder.path][folder.part];
    part.namesStart = namesStart;
    part.namesEnd = m_names.size();
    return true;
}

bool PlainImageTree::Reader::list(const QByteArray &path, DirectoryListing &listing) const
{
    listing.clear();
    const auto parts = m_folders.constFind(path);
    if (parts == m_folders.cend())
        return false;
    // The names point into the table of names, which the listing shares:
    // no name needs bytes of its own.
    listing.nameBytes = m_names;
    QSet<QByteArray> listed;
    for (const Part &part : *parts) {
        for (qsizetype at = part.namesStart; at < part.namesEnd;) {
            const char kind = m_names.at(at);
            quint32 size = 0;
            std::memcpy(&size, m_names.constData() + at + 1, sizeof size);
            QByteArray name = QByteArray::fromRawData(m_names.constData() + at + 1 + sizeof size, size);
            at += 1 + qsizetype(sizeof size) + size;
            if (kind == kNamedFolder) {
                // A folder named twice is listed once and holds what both hold.
                if (listed.contains(name))
                    continue;
                listed.insert(name);
                QByteArray shown = displayName(name);
                listing.subdirectories.push_back({std::move(name), std::move(shown)});
            } else {
                QByteArray shown = displayName(name);
                listing.files.push_back({std::move(name), std::move(shown)});
            }
        }
    }
    sortEntries(listing.subdirectories);
    sortEntries(listing.files);
    return true;
}

bool PlainImageTree::Reader::read()
{
    // The first primary volume descriptor and the first Joliet one, as the
    // full readers find them; anything but a volume descriptor on the way is
    // theirs to judge.
    QByteArray primary, joliet, descriptor;
    for (int i = 0; i < kMaxDescriptors; ++i) {
        if (!readExact((16 + i) * kSectorSize, kSectorSize, descriptor)
            || descriptor.mid(1, 5) != "CD001")
            return false;
        const auto type = static_cast<quint8>(descriptor[0]);
        const QByteArray escape = descriptor.mid(88, 3);
        if (type == 1 && primary.isEmpty())
            primary = descriptor;
        else if (type == 2 && joliet.isEmpty()
                 && (escape == "%/@" || escape == "%/C" || escape == "%/E"))
            joliet = descriptor;
        else if (type == 255)
            break;
        if (!primary.isEmpty() && !joliet.isEmpty())
            break;
    }
    if (primary.isEmpty())
        return false;
    // Rock Ridge when the root's "." record starts with the SP entry.
    m_blockSize = le16(primary.constData() + 128);
    if (m_blockSize != 512 && m_blockSize != 1024 && m_blockSize != 2048)
        return false;
    const char *root = primary.constData() + 156;
    QByteArray self;
    if (!readExact(qint64(le32(root + kRecordExtent)) * m_blockSize, 48, self))
        return false;
    const int spAt = kRecordName + 1;
    const bool rockRidge = static_cast<quint8>(self[0]) >= spAt + 7
        && self.mid(spAt, 4) == QByteArray("SP\x07\x01", 4)
        && static_cast<quint8>(self[spAt + 4]) == 0xBE && static_cast<quint8>(self[spAt + 5]) == 0xEF;
    if (rockRidge) {
        m_skip = static_cast<quint8>(self[spAt + 6]);
    } else {
        if (joliet.isEmpty())
            return false;
        m_joliet = true;
        m_blockSize = le16(joliet.constData() + 128);
        if (m_blockSize != 512 && m_blockSize != 1024 && m_blockSize != 2048)
            return false;
        root = joliet.constData() + 156;
    }
    if (!queueFolder(le32(root + kRecordExtent), le32(root + kRecordSize), "/"))
        return false;
    while (!m_queue.empty()) {
        std::pop_heap(m_queue.begin(), m_queue.end(), readLater);
        const Pending folder = std::move(m_queue.back());
        m_queue.pop_back();
        if (!readFolder(folder))
            return false;
    }
    m_extents.clear();
    m_window = QByteArray();
    m_image = nullptr;
    return true;
}

bool readPlainImageTree(QIODevice &image, QHash<QByteArray, DirectoryListing> &folders)
{
    PlainImageTree tree;
    folders = tree.read(image) ? tree.listAll() : QHash<QByteArray, DirectoryListing>();
    return !folders.isEmpty();
}

PlainImageTree::PlainImageTree() = default;
PlainImageTree::~PlainImageTree() = default;
PlainImageTree::PlainImageTree(PlainImageTree &&) noexcept = default;
PlainImageTree &PlainImageTree::operator=(PlainImageTree &&) noexcept = default;

bool PlainImageTree::read(QIODevice &image)
{
    m_reader = std::make_unique<Reader>();
    m_reader->m_image = &image;
    if (m_reader->read())
        return true;
    m_reader.reset();
    return false;
}

bool PlainImageTree::contains(const QByteArray &path) const
{
    return m_reader && m_reader->m_folders.contains(path);
}

bool PlainImageTree::list(const QByteArray &path, DirectoryListing &listing) const
{
    return m_reader && m_reader->list(path, listing);
}

QHash<QByteArray, DirectoryListing> PlainImageTree::listAll() const
{
    QHash<QByteArray, DirectoryListing> folders;
    if (m_reader) {
        for (auto it = m_reader->m_folders.cbegin(); it != m_reader->m_folders.cend(); ++it)
            m_reader->list(it.key(), folders[it.key()]);
    }
    return folders;
}

ListingSize PlainImageTree::listingSize() const
{
    return m_reader ? m_reader->m_listingSize : ListingSize();
}

} // namespace kobrix
