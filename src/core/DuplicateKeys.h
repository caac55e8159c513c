#pragma once

#include "core/MemoryAdvice.h"

#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace kobrix {

// Finds the keys (paths or file names) that occur on more than one disc,
// from the occurrences handed over one after another in the order of their
// lines. The bytes of the keys are not copied: each occurrence names where
// its key stands in a buffer of the caller's (a line store, or a buffer of
// keys read from a file).
//
// A table of a million keys is far larger than the processor's caches, and
// looking each key up in it would cost a trip to memory per line. So the
// occurrences are noted in order, then sorted, in order, into 256 parts by
// the top bits of their hashes; each part, which holds keys of no other
// part, is then looked up in a table of its own that stays in the cache.
class DuplicateKeys
{
public:
    struct Occurrence
    {
        std::size_t position; // of the key in the buffer
        std::size_t length;
        std::uint64_t hash;   // hashBytes() of the key
        qint32 disc;
        qint32 line;
    };

    // Room for about expectedKeys occurrences; more make room as they come.
    explicit DuplicateKeys(std::size_t expectedKeys);
    ~DuplicateKeys();
    DuplicateKeys(const DuplicateKeys &) = delete;
    DuplicateKeys &operator=(const DuplicateKeys &) = delete;

    // Where the keys' bytes are now (a growing buffer may move).
    void setKeyBytes(const char *bytes, std::size_t size)
    {
        m_bytes = bytes;
        m_byteCount = size;
    }

    void add(const Occurrence &occurrence)
    {
        m_records.push_back({occurrence.hash,
                             std::uint64_t(occurrence.position)
                                 | (std::uint64_t(occurrence.length) << kPositionBits),
                             occurrence.disc, occurrence.line});
    }
    // After the last occurrence: finds the keys on several discs and lists
    // them by their first lines, each with its discs in the order met.
    // discCount bounds the disc numbers.
    void finish(qsizetype discCount);

    qsizetype count() const { return qsizetype(m_firstLines.size()); }
    qint32 firstLine(qsizetype entry) const { return m_firstLines[std::size_t(entry)]; }
    // The key's bytes, where setKeyBytes() last said they are.
    std::string_view key(qsizetype entry) const;
    std::span<const qint32> discs(qsizetype entry) const
    {
        const std::size_t begin = m_discStarts[std::size_t(entry)];
        return {m_discs.data() + begin, m_discStarts[std::size_t(entry) + 1] - begin};
    }
    // The entry of a key; -1 when it occurred on one disc only, or not at all.
    qsizetype entryOf(std::string_view key, std::uint64_t hash) const;

private:
    static constexpr int kPartBits = 8;
    static constexpr std::size_t kParts = std::size_t(1) << kPartBits;
    static constexpr int kPositionBits = 40; // the key's length above them

    struct Record
    {
        std::uint64_t hash;
        std::uint64_t place; // position, and length << kPositionBits
        qint32 disc;
        qint32 line;
    };
    struct Entry
    {
        std::uint64_t hash;
        std::uint64_t place;
        qint32 firstLine;
        qint32 discs; // its records in the log
    };
    struct Met
    {
        qint32 entry;
        qint32 disc;
    };
    struct PartKey
    {
        std::uint64_t hash;
        std::uint64_t place;
        qint32 firstLine;
        qint32 lastDisc; // of its latest occurrence
        qint32 entry;    // once on several discs; -1 before
    };

    std::string_view keyOf(std::uint64_t place) const;
    // Looks up the occurrences of one part, in their order.
    void findInPart(const Record *records, std::size_t count);

    const char *m_bytes = nullptr;
    std::size_t m_byteCount = 0;
    template <typename T>
    using LargeVector = std::vector<T, LargeTableAllocator<T>>;

    LargeVector<Record> m_records; // in the order added
    std::vector<std::uint32_t> m_slots; // the table of one part: 1 + its key, 0 when free
    std::vector<PartKey> m_partKeys;

    LargeVector<Entry> m_entries;  // in the order found
    LargeVector<Met> m_log;        // the discs of entries, in the order met
    std::vector<qint32> m_firstLines;
    std::vector<std::uint64_t> m_entryPlaces;
    std::vector<std::uint64_t> m_entryHashes;
    std::vector<std::size_t> m_discStarts{0};
    std::vector<qint32> m_discs;
    std::vector<qint32> m_entrySlots; // entries by hash, -1 when free
};

} // namespace kobrix
