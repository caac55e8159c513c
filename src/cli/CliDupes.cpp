// kobrix-cli dupes: the paths (or file names) that stand on several discs
// of a catalog.

#include "cli/CliCommands.h"
#include "cli/CliEveryLine.h"
#include "cli/CliSupport.h"

#include "core/ByteHash.h"
#include "core/MemoryAdvice.h"
#include "core/ProgramTexts.h"
#include "discs/DiscDuplicates.h"
#include "discs/DiscIndex.h"
#include "discs/DuplicateKeys.h"

#include <QFileInfo>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <utility>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace kobrix::cli {

namespace {

// Memory for the keys of all pieces, handed out to their threads in blocks
// of kBlockBytes cut from slabs of huge pages: a piece fills whole blocks
// but its last, so the pieces' keys lie nearly as close as in one buffer.
class KeyPool
{
public:
    // A key's offset in its block is what the duplicates' table keeps of it.
    static constexpr std::size_t kBlockBytes = std::size_t(1) << DuplicateKeys::kSegmentOffsetBits;

    KeyPool() = default;
    KeyPool(const KeyPool &) = delete;
    KeyPool &operator=(const KeyPool &) = delete;
    ~KeyPool()
    {
        for (const auto &[slab, bytes] : m_slabs)
            freeLarge(slab, bytes);
    }

    // A block of at least bytes (more than kBlockBytes for a longer key).
    char *block(std::size_t bytes)
    {
        constexpr std::size_t kSlabBytes = std::size_t(32) << 20;
        const std::lock_guard lock(m_mutex);
        if (std::size_t(m_end - m_next) < bytes) {
            const std::size_t size = std::max(kSlabBytes, bytes);
            m_next = static_cast<char *>(allocateLarge(size));
            m_slabs.emplace_back(m_next, size);
            m_end = m_next + size;
        }
        return std::exchange(m_next, m_next + bytes);
    }

private:
    std::mutex m_mutex;
    std::vector<std::pair<char *, std::size_t>> m_slabs;
    char *m_next = nullptr;
    char *m_end = nullptr;
};

// The keys of one piece, one after another in blocks from the pool.
class PieceKeys
{
public:
    // Where a key stands: its block (of this piece) and its offset there.
    static constexpr int kOffsetBits = DuplicateKeys::kSegmentOffsetBits;

    explicit PieceKeys(KeyPool &pool) : m_pool(pool) {}

    void clear()
    {
        m_blocks.clear();
        m_next = m_end = nullptr;
    }
    // Room for a key of length bytes; returns where it starts and its place.
    char *room(std::size_t length, std::uint32_t &place)
    {
        if (std::size_t(m_end - m_next) < length) {
            const std::size_t bytes = std::max(length, KeyPool::kBlockBytes);
            if (m_blocks.size() >= (std::size_t(1) << (32 - kOffsetBits)))
                throw std::bad_alloc(); // a piece of more than four gigabytes of keys
            m_next = m_pool.block(bytes);
            m_end = m_next + bytes;
            m_blocks.push_back(m_next);
        }
        const std::size_t block = m_blocks.size() - 1;
        place = std::uint32_t((block << kOffsetBits) | std::size_t(m_next - m_blocks.back()));
        return std::exchange(m_next, m_next + length);
    }
    const std::vector<char *> &blocks() const { return m_blocks; }
    char *at(std::uint32_t place) const
    {
        return m_blocks[place >> kOffsetBits] + (place & ((std::uint32_t(1) << kOffsetBits) - 1));
    }

private:
    KeyPool &m_pool;
    std::vector<char *> m_blocks;
    char *m_next = nullptr;
    char *m_end = nullptr;
};

// The folders of the paths read, each numbered once (from 1) and its path
// kept once: consecutive lines nearly always share their folder, so a
// folder is first compared with the one before.
class FolderNumbers
{
public:
    FolderNumbers() : m_slots(1024, 0) {}

    // Room for the folders of a catalog of that many bytes, so that the
    // table grows without copying (only the memory used costs).
    void reserveFor(qint64 catalogBytes)
    {
        m_bytes.reserve(std::size_t(catalogBytes / 64));
        m_starts.reserve(std::size_t(catalogBytes / 2048));
        m_hashes.reserve(std::size_t(catalogBytes / 2048));
    }

    qint32 numberOf(std::string_view folder)
    {
        if (m_last > 0 && folder == path(m_last))
            return m_last;
        const std::uint64_t hash = hashBytes(folder);
        const std::size_t mask = m_slots.size() - 1;
        std::size_t at = hash & mask;
        for (; m_slots[at] != 0; at = (at + 1) & mask) {
            const qint32 number = m_slots[at];
            if (m_hashes[std::size_t(number)] == hash && path(number) == folder)
                return m_last = number;
        }
        m_last = qint32(m_starts.size());
        m_slots[at] = m_last;
        m_bytes.append(folder);
        m_starts.push_back(m_bytes.size());
        m_hashes.push_back(hash);
        if (m_starts.size() * 2 > m_slots.size())
            grow();
        return m_last;
    }
    // Folders numbered: 1 to count().
    qint32 count() const { return qint32(m_starts.size()) - 1; }
    void clear()
    {
        m_slots.assign(1024, 0);
        m_bytes.clear();
        m_starts.assign(1, 0);
        m_hashes.assign(1, 0);
        m_last = 0;
    }
    std::string_view path(qint32 number) const
    {
        const std::size_t begin = m_starts[std::size_t(number) - 1];
        return std::string_view(m_bytes.data() + begin, m_starts[std::size_t(number)] - begin);
    }

private:
    void grow()
    {
        m_slots.assign(m_slots.size() * 2, 0);
        const std::size_t mask = m_slots.size() - 1;
        for (qint32 number = 1; number < qint32(m_starts.size()); ++number) {
            std::size_t at = m_hashes[std::size_t(number)] & mask;
            while (m_slots[at] != 0)
                at = (at + 1) & mask;
            m_slots[at] = number;
        }
    }

    std::string m_bytes;
    std::vector<std::size_t> m_starts{0};
    std::vector<std::uint64_t> m_hashes{0};
    std::vector<qint32> m_slots; // 0 is free
    qint32 m_last = 0;
};

// Where the last backslash of a path stands, npos when none: sixteen bytes
// at a time from the end, as names run to tens of bytes.
std::size_t lastBackslash(std::string_view path)
{
    std::size_t end = path.size();
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i backslash = _mm_set1_epi8('\\');
    for (; end >= 16; end -= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(path.data() + end - 16));
        const unsigned found = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(block, backslash)));
        if (found != 0)
            return end - 16 + std::size_t(31 - std::countl_zero(found));
    }
#endif
    return path.substr(0, end).rfind('\\');
}

// The keys of one piece of the catalog, found on a thread of its own. The
// keys are copied as they come, as the lines they stand in are not kept: by
// name, the name; by path, four bytes for the number of its folder, and the
// name. The piece numbers discs and folders by itself; the merge puts in
// the catalog's numbers.
struct DuplicatePiece
{
    // One line's key.
    struct Found
    {
        std::uint64_t nameHash;
        std::uint32_t place; // in keys
        std::uint32_t length;
        qint32 disc;   // of tally
        qint32 folder; // of folders; 0 for none
    };

    DuplicatePiece(DiscDuplicates::Key kind, KeyPool &pool) : keyKind(kind), keys(pool) {}

    void begin(qint64 pieceBytes)
    {
        // Room for the piece's lines in a huge page at least, kept from
        // piece to piece: a small page first written costs a fault, which on
        // a virtual machine takes longer than filling the page.
        constexpr std::size_t kHugePage = LargeTableAllocator<Found>::kLarge;
        found.reserve(std::max(std::size_t(pieceBytes) / 32, (kHugePage + sizeof(Found) - 1) / sizeof(Found)));
    }
    void clear()
    {
        tally.clear();
        folders.clear();
        keys.clear();
        found.clear();
    }
    bool takeAsIs(const FieldParser::FilterText &text)
    {
        if (!isUtf8(text))
            return false;
        line(text.bytes);
        return true;
    }
    void line(std::string_view text)
    {
        const qint32 disc = tally.add(text);
        if (tally.isLooseLines(disc))
            return;
        const std::string_view path = text.substr(std::min(tally.pathStart(disc), text.size()));
        const std::size_t cut = lastBackslash(path);
        const std::string_view name = cut == std::string_view::npos ? path : path.substr(cut + 1);
        qint32 folder = 0;
        std::size_t length = name.size();
        if (keyKind == DiscDuplicates::Key::Path) {
            if (cut != std::string_view::npos)
                folder = folders.numberOf(path.substr(0, cut));
            length += 4; // the folder's number, written by the merge
        }
        std::uint32_t place;
        char *key = keys.room(length, place);
        std::memcpy(key + length - name.size(), name.data(), name.size());
        found.push_back({hashBytes(name), place, std::uint32_t(length), disc, folder});
    }

    const DiscDuplicates::Key keyKind;
    DiscTally tally;
    FolderNumbers folders;
    PieceKeys keys;
    std::vector<Found, LargeTableAllocator<Found>> found; // used again from piece to piece
};

// The pieces' keys put together in file order: discs and folders numbered
// for the whole catalog, and the keys on several discs found.
class DuplicateMerge
{
public:
    // About one key in 48 bytes of the catalog is expected.
    DuplicateMerge(DiscDuplicates::Key kind, qint64 catalogBytes)
        : m_keyKind(kind), m_found(std::size_t(catalogBytes / 48))
    {
        m_folders.reserveFor(catalogBytes);
    }

    // Takes a piece's keys.
    void merge(DuplicatePiece &piece)
    {
        m_tally.addTally(piece.tally, &m_discOf);
        m_folderOf.assign(1, 0);
        for (qint32 folder = 1; folder <= piece.folders.count(); ++folder)
            m_folderOf.push_back(m_folders.numberOf(piece.folders.path(folder)));

        // The piece's blocks follow those of the pieces before it, so that
        // a later key has a later position.
        const std::size_t firstSegment = m_segments.size();
        const std::vector<char *> &blocks = piece.keys.blocks();
        if (firstSegment + blocks.size() > DuplicateKeys::kSegments)
            throw std::bad_alloc(); // four terabytes of keys
        m_segments.insert(m_segments.end(), blocks.begin(), blocks.end());
        for (const DuplicatePiece::Found &found : piece.found) {
            std::uint64_t hash = found.nameHash;
            if (m_keyKind == DiscDuplicates::Key::Path) {
                const qint32 folder = m_folderOf[std::size_t(found.folder)];
                std::memcpy(piece.keys.at(found.place), &folder, 4);
                hash = bytehash::fold(hash ^ bytehash::kOdd1, std::uint64_t(std::uint32_t(folder)) ^ bytehash::kOdd2);
            }
            const std::size_t segment = firstSegment + (found.place >> PieceKeys::kOffsetBits);
            const std::size_t offset = found.place & ((std::uint32_t(1) << PieceKeys::kOffsetBits) - 1);
            m_found.add({DuplicateKeys::segmentPosition(segment, offset), found.length, hash,
                         m_discOf[std::size_t(found.disc)]});
        }
    }

    // After the last piece.
    const DuplicateKeys &finish()
    {
        m_found.setKeySegments({m_segments.begin(), m_segments.end()});
        m_found.finish(m_tally.count(), DuplicateKeys::Lookup::None);
        return m_found;
    }

    const DiscTally &tally() const { return m_tally; }
    // The path or name of an entry, as printed.
    std::string key(qsizetype entry) const
    {
        std::string_view bytes = m_found.bytes(entry);
        if (m_keyKind == DiscDuplicates::Key::FileName)
            return std::string(bytes);
        qint32 folder;
        std::memcpy(&folder, bytes.data(), 4);
        bytes.remove_prefix(4);
        std::string text;
        if (folder != 0) {
            text = m_folders.path(folder);
            text += '\\';
        }
        text += bytes;
        return text;
    }

private:
    const DiscDuplicates::Key m_keyKind;
    DiscTally m_tally;
    FolderNumbers m_folders;
    std::vector<char *> m_segments; // the pieces' blocks of keys, in file order
    std::vector<qint32> m_discOf;   // of the piece merged: its discs' numbers here
    std::vector<qint32> m_folderOf; // and its folders'
    DuplicateKeys m_found;
};

} // namespace

int commandDupes(const QStringList &args)
{
    QStringList rest = args;
    const bool byName = takeFlag(rest, QLatin1String("--by-name"));
    if (rest.size() != 1)
        return usage();
    const DiscDuplicates::Key kind = byName ? DiscDuplicates::Key::FileName : DiscDuplicates::Key::Path;
    // Room for the keys and folders of a catalog of that size; more is made
    // when they come.
    DuplicateMerge merge(kind, QFileInfo(rest[0]).size());
    KeyPool pool;
    EveryLineInPieces<DuplicatePiece> pieces(
        [kind, &pool] { return std::make_unique<DuplicatePiece>(kind, pool); },
        [&merge](DuplicatePiece &piece) { merge.merge(piece); });
    // Pieces of a megabyte: the keys each finds are noted in memory used
    // again from piece to piece.
    CatalogPieceOptions options;
    options.pieceBytes = qint64(1) << 20;
    if (RuntimeError error = pieces.read(rest[0], options))
        return fail(ProgramTexts::readErrorHeading(), error);
    const DuplicateKeys &found = merge.finish();

    Output out;
    std::string line;
    const DiscTally &tally = merge.tally();
    for (qsizetype entry = 0; entry < found.count() && !out.failed(); ++entry) {
        line = merge.key(entry);
        for (const qint32 disc : found.discs(entry)) {
            line += '\t';
            line += tally.utf8Name(disc);
        }
        out.line(line);
    }
    return out.finish(0);
}

} // namespace kobrix::cli
