#pragma once

#include "core/MemoryAdvice.h"

#include <QtGlobal>

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace kobrix {

// Finds the keys (paths or file names) that occur on more than one disc,
// from the occurrences handed over one after another in the order of their
// lines. The bytes of the keys are not copied: each occurrence names where
// its key stands in a buffer of the caller's (a line store, or a buffer of
// keys read from a file), each later occurrence further on in it; keys are
// the same when their bytes are.
//
// A table of a million keys is far larger than the processor's caches, and
// looking each key up in it would cost a trip to memory per line. So the
// occurrences are noted, in order, into 256 parts by the top bits of their
// hashes; each part, which holds keys of no other part, is then looked up in
// a table of its own that stays in the cache. A part's occurrences go into
// blocks of 4 KB as they come, so that they are written once, not noted
// and then sorted into parts.
class DuplicateKeys
{
public:
    struct Occurrence
    {
        std::size_t position; // of the key's bytes in the buffer
        std::size_t length;
        // A hash of the key, the same for the same bytes: hashBytes() of
        // them where entryOf() is to be asked.
        std::uint64_t hash;
        qint32 disc;
    };

    // Room for about expectedKeys occurrences; more make room as they come.
    explicit DuplicateKeys(std::size_t expectedKeys);
    ~DuplicateKeys();
    DuplicateKeys(const DuplicateKeys &) = delete;
    DuplicateKeys &operator=(const DuplicateKeys &) = delete;

    // Where the keys' bytes are now (a growing buffer may move): one buffer,
    // positions being offsets into it.
    void setKeyBytes(const char *bytes)
    {
        m_segments.assign(1, bytes);
        m_offsetBits = kPositionBits;
    }
    // Or in blocks (up to kSegments), as readers on several threads fill
    // them: the position of a key is then segmentPosition() of its block and
    // its offset there (below 64 KB; the key may run on beyond), and a later
    // block's keys come later.
    static constexpr int kSegmentOffsetBits = 16;
    static constexpr std::size_t kSegments = std::size_t(1) << (42 - kSegmentOffsetBits);
    static std::size_t segmentPosition(std::size_t segment, std::size_t offset)
    {
        return (segment << kSegmentOffsetBits) | offset;
    }
    void setKeySegments(std::vector<const char *> segments)
    {
        m_segments = std::move(segments);
        m_offsetBits = kSegmentOffsetBits;
    }

    void add(const Occurrence &occurrence)
    {
        const std::uint32_t mark = markOf(occurrence.hash);
        PartFill &fill = m_fill[partOf(mark)];
        if (fill.next == fill.end)
            newBlock(partOf(mark));
        *fill.next++ = {mark, occurrence.disc,
                        std::uint64_t(occurrence.position) | (std::uint64_t(occurrence.length) << kPositionBits)};
#if defined(__GNUC__)
        // 256 parts are filled at once, too many for the processor to see
        // that each is written front to back: the memory eight records (two
        // cache lines) on is asked for ahead, so that a write seldom waits
        // for it. Past a block's end it asks for memory that is never
        // written, which costs nothing but the asking.
        __builtin_prefetch(fill.next + 8, 1);
#endif
    }
    // After the last occurrence: finds the keys on several discs and lists
    // them in the order of their first occurrences, each with its discs in
    // the order met. discCount bounds the disc numbers. With Lookup::None,
    // entryOf() is not to be asked, and its table is not made.
    enum class Lookup { ByKey, None };
    void finish(qsizetype discCount, Lookup lookup = Lookup::ByKey);

    qsizetype count() const { return qsizetype(m_places.size()); }
    // Where the bytes of its first occurrence stand.
    std::size_t firstPosition(qsizetype entry) const { return m_places[std::size_t(entry)] & kPositionMask; }
    // Its bytes, where setKeyBytes() or setKeySegments() last said they are.
    std::string_view bytes(qsizetype entry) const { return bytesOf(m_places[std::size_t(entry)]); }
    std::span<const qint32> discs(qsizetype entry) const
    {
        const std::size_t begin = m_discStarts[std::size_t(entry)];
        return {m_discs.data() + begin, m_discStarts[std::size_t(entry) + 1] - begin};
    }
    // The entry of a key; -1 when it occurred on one disc only, or not at all.
    qsizetype entryOf(std::string_view bytes) const;

private:
    static constexpr int kPartBits = 8;
    static constexpr std::size_t kParts = std::size_t(1) << kPartBits;
    // Positions of up to four terabytes, keys of up to 4 MB (a line is at
    // most a megabyte, at most three times that once converted to UTF-8).
    static constexpr int kPositionBits = 42; // the key's length above them
    static constexpr std::uint64_t kPositionMask = (std::uint64_t(1) << kPositionBits) - 1;
    static_assert(kSegments == std::size_t(1) << (kPositionBits - kSegmentOffsetBits));

    // What an occurrence keeps of its hash: the top bits, which choose its
    // part, over the low bits, which choose its slot in the part's table.
    static std::uint32_t markOf(std::uint64_t hash)
    {
        return std::uint32_t(hash >> (64 - kPartBits) << (32 - kPartBits))
               | (std::uint32_t(hash) & ((std::uint32_t(1) << (32 - kPartBits)) - 1));
    }
    static std::size_t partOf(std::uint32_t mark) { return mark >> (32 - kPartBits); }

    // Sixteen bytes an occurrence: a million lines touch 16 MB.
    struct Record
    {
        std::uint32_t mark;
        qint32 disc;
        std::uint64_t place; // position, and length << kPositionBits
    };
    // Where the next occurrence of a part goes: the rest of its last block.
    struct PartFill
    {
        Record *next = nullptr;
        Record *end = nullptr;
    };
    static constexpr int kBlockBits = 8;
    static constexpr std::size_t kBlockRecords = std::size_t(1) << kBlockBits; // 4 KB
    // Memory that blocks are cut from, front to back.
    struct Slab
    {
        Record *records;
        std::size_t count;
    };
    struct PartKey
    {
        std::uint64_t place;
        std::uint32_t mark;
        qint32 lastDisc; // of its latest occurrence
        qint32 entry;    // once on several discs; -1 before
    };
    struct Entry
    {
        std::uint64_t place;
        std::uint32_t mark;
        qint32 discs; // its records in the log
    };
    struct Met
    {
        qint32 entry;
        qint32 disc;
    };
    template <typename T>
    using LargeVector = std::vector<T, LargeTableAllocator<T>>;
    // Each page the system hands over costs a fault and its clearing, far
    // more on a virtual machine than the work done on it: the tables made
    // once per run, of a megabyte or so, are put in huge pages too.
    template <typename T>
    struct ScratchAllocator
    {
        using value_type = T;
        static constexpr std::size_t kHuge = std::size_t(256) << 10;

        ScratchAllocator() = default;
        template <typename U>
        ScratchAllocator(const ScratchAllocator<U> &) {}

        T *allocate(std::size_t n)
        {
            const std::size_t bytes = n * sizeof(T);
            return static_cast<T *>(bytes >= kHuge ? allocateLarge(bytes) : ::operator new(bytes));
        }
        void deallocate(T *block, std::size_t n)
        {
            const std::size_t bytes = n * sizeof(T);
            if (bytes >= kHuge)
                freeLarge(block, bytes);
            else
                ::operator delete(block);
        }
        template <typename U>
        bool operator==(const ScratchAllocator<U> &) const { return true; }
    };
    template <typename T>
    using ScratchVector = std::vector<T, ScratchAllocator<T>>;

    const char *keyAt(std::uint64_t place) const
    {
        const std::uint64_t position = place & kPositionMask;
        return m_segments[position >> m_offsetBits] + (position & ((std::uint64_t(1) << m_offsetBits) - 1));
    }
    std::string_view bytesOf(std::uint64_t place) const
    {
        return std::string_view(keyAt(place), std::size_t(place >> kPositionBits));
    }
    // Sorts (position, entry) pairs by their distinct positions.
    static void sortByPosition(ScratchVector<std::pair<std::uint64_t, qint32>> &order);
    // Gives a part a new block to fill.
    void newBlock(std::size_t part);
    void freeSlabs();
    // One thread's tables (used again for each of its parts) and findings.
    struct Finding
    {
        std::vector<std::uint32_t> table; // of one part: 1 + its key, 0 when free
        std::vector<PartKey> keys;
        LargeVector<Entry> entries; // in the order found
        LargeVector<Met> log;       // the discs of entries, in the order met
    };
    // Occurrences from which the parts are looked up on two threads.
    static constexpr std::size_t kOccurrencesForTwoThreads = std::size_t(1) << 17;
    // Looks up the occurrences of one part, in their order.
    void findInPart(std::size_t part, Finding &finding) const;

    std::vector<const char *> m_segments; // the buffers of the keys' bytes
    int m_offsetBits = kPositionBits;     // of a position within its buffer
    std::size_t m_expected; // occurrences expected: the size of the first slab
    std::vector<Slab> m_slabs;
    Record *m_slabNext = nullptr; // the rest of the last slab
    Record *m_slabEnd = nullptr;
    PartFill m_fill[kParts];
    std::vector<Record *> m_blocks[kParts]; // each part's blocks, in order
    LargeVector<Entry> m_entries;  // in the order found
    LargeVector<Met> m_log;        // the discs of entries, in the order met

    // The entries in the order of their first occurrences.
    ScratchVector<std::uint64_t> m_places;
    ScratchVector<std::uint32_t> m_marks;
    ScratchVector<std::size_t> m_discStarts{0};
    ScratchVector<qint32> m_discs;
    ScratchVector<qint32> m_entrySlots; // entries by hash, -1 when free
};

} // namespace kobrix
