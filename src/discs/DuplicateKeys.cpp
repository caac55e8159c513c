#include "discs/DuplicateKeys.h"

#include "core/ByteHash.h"
#include "core/MemoryAdvice.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <thread>
#include <utility>

namespace kobrix {

namespace {

// Asks for memory ahead of its use.
inline void prefetch(const void *address)
{
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

} // namespace

void DuplicateKeys::sortByPosition(ScratchVector<std::pair<std::uint64_t, qint32>> &order)
{
    // Positions are distinct and below the size of the keys' buffer: a
    // radix sort, eleven bits a pass, as many passes as they need, beats a
    // comparison sort over a hundred thousand entries or more.
    if (order.size() < 4096) {
        std::sort(order.begin(), order.end());
        return;
    }
    constexpr int kBits = 11;
    constexpr std::size_t kBuckets = std::size_t(1) << kBits;
    std::uint64_t largest = 0;
    for (const auto &item : order)
        largest = std::max(largest, item.first);
    ScratchVector<std::pair<std::uint64_t, qint32>> other(order.size());
    std::vector<std::size_t> starts(kBuckets);
    for (int shift = 0; shift < 64 && (largest >> shift) != 0; shift += kBits) {
        std::fill(starts.begin(), starts.end(), 0);
        for (const auto &item : order)
            ++starts[(item.first >> shift) & (kBuckets - 1)];
        std::size_t sum = 0;
        for (std::size_t &start : starts)
            sum += std::exchange(start, sum);
        for (const auto &item : order)
            other[starts[(item.first >> shift) & (kBuckets - 1)]++] = item;
        order.swap(other);
    }
}

DuplicateKeys::DuplicateKeys(std::size_t expectedKeys) : m_expected(expectedKeys) {}

DuplicateKeys::~DuplicateKeys() { freeSlabs(); }

void DuplicateKeys::newBlock(std::size_t part)
{
    if (std::size_t(m_slabEnd - m_slabNext) < kBlockRecords) {
        // The first slab holds the occurrences expected and a block for
        // every part; each further one as much as all before it. Only the
        // blocks written cost memory.
        std::size_t count = m_slabs.empty() ? m_expected + kParts * kBlockRecords : 0;
        for (const Slab &slab : m_slabs)
            count += slab.count;
        count = std::max(count, kParts * kBlockRecords);
        auto *records = static_cast<Record *>(allocateLarge(count * sizeof(Record)));
        m_slabs.push_back({records, count});
        m_slabNext = records;
        m_slabEnd = records + count;
    }
    m_blocks[part].push_back(m_slabNext);
    m_fill[part] = {m_slabNext, m_slabNext + kBlockRecords};
    m_slabNext += kBlockRecords;
}

void DuplicateKeys::freeSlabs()
{
    for (const Slab &slab : m_slabs)
        freeLarge(slab.records, slab.count * sizeof(Record));
    m_slabs.clear();
    m_slabNext = m_slabEnd = nullptr;
    for (std::size_t p = 0; p < kParts; ++p) {
        m_blocks[p] = {};
        m_fill[p] = {};
    }
}

void DuplicateKeys::findInPart(std::size_t part, Finding &finding) const
{
    const std::vector<Record *> &blocks = m_blocks[part];
    if (blocks.empty())
        return;
    const std::size_t count
        = blocks.size() * kBlockRecords - std::size_t(m_fill[part].end - m_fill[part].next);
    const auto recordAt = [&blocks](std::size_t i) -> const Record & {
        return blocks[i >> kBlockBits][i & (kBlockRecords - 1)];
    };
    // The keys of this part, and a table of them by hash; both are used
    // again for the next part.
    std::vector<PartKey> &keys = finding.keys;
    std::vector<std::uint32_t> &table = finding.table;
    LargeVector<Entry> &entries = finding.entries;
    LargeVector<Met> &log = finding.log;
    keys.clear();
    std::size_t size = 16;
    while (size < count * 2)
        size *= 2;
    table.assign(size, 0);
    const std::size_t mask = size - 1;
    const auto sameBytes = [&](std::uint64_t a, std::uint64_t b) {
        const std::size_t length = std::size_t(a >> kPositionBits);
        return length == std::size_t(b >> kPositionBits)
               && std::memcmp(keyAt(a), keyAt(b), length) == 0;
    };

    // A key met before is compared with its first occurrence, which stands
    // anywhere in the buffer: both are asked for some occurrences ahead.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kAhead < count) {
            const Record &ahead = recordAt(i + kAhead);
            const std::uint32_t slot = table[ahead.mark & mask];
            if (slot != 0 && keys[slot - 1].mark == ahead.mark) {
                prefetch(keyAt(keys[slot - 1].place));
                prefetch(keyAt(ahead.place));
            }
        }
        const Record &record = recordAt(i);
        std::size_t at = record.mark & mask;
        for (;; at = (at + 1) & mask) {
            if (table[at] == 0) {
                keys.push_back({record.place, record.mark, record.disc, -1});
                table[at] = std::uint32_t(keys.size());
                break;
            }
            PartKey &key = keys[table[at] - 1];
            if (key.mark != record.mark || !sameBytes(key.place, record.place))
                continue;
            if (key.lastDisc == record.disc)
                break; // on this disc already
            if (key.entry < 0) {
                // On one disc so far, now on a second.
                key.entry = qint32(entries.size());
                entries.push_back({key.place, key.mark, 2});
                log.push_back({key.entry, key.lastDisc});
            } else {
                // A disc whose lines stand in two places (appended twice)
                // may come into the log twice: finish() drops the copy.
                ++entries[std::size_t(key.entry)].discs;
            }
            log.push_back({key.entry, record.disc});
            key.lastDisc = record.disc;
            break;
        }
    }
}

void DuplicateKeys::finish(qsizetype discCount, Lookup lookup)
{
    // The parts on two threads where there are enough occurrences to pay
    // for the second: each finds its keys on several discs apart, and the
    // second's entries follow the first's.
    // At most as many occurrences as the blocks of parts [from, to) hold.
    const auto room = [this](std::size_t from, std::size_t to) {
        std::size_t most = 0;
        for (std::size_t p = from; p < to; ++p)
            most += m_blocks[p].size() * kBlockRecords;
        return most;
    };
    const bool twoThreads = room(0, kParts) >= kOccurrencesForTwoThreads && std::thread::hardware_concurrency() > 1;
    const std::size_t split = twoThreads ? kParts / 2 : kParts;
    // Room for as many entries and discs as the parts can make: paid for
    // only as used, where growing step by step would copy them each time.
    const auto reserved = [&room](std::size_t from, std::size_t to) {
        const std::size_t most = room(from, to);
        Finding finding;
        finding.log.reserve(most);
        finding.entries.reserve(most / 2);
        return finding;
    };
    Finding first = reserved(0, split);
    Finding second = reserved(split, kParts);
    std::exception_ptr failure;
    std::thread helper;
    if (twoThreads) {
        helper = std::thread([&] {
            try {
                for (std::size_t p = split; p < kParts; ++p)
                    findInPart(p, second);
            } catch (...) { // memory ran out: thrown where the caller waits
                failure = std::current_exception();
            }
        });
    }
    try {
        for (std::size_t p = 0; p < split; ++p)
            findInPart(p, first);
    } catch (...) {
        if (helper.joinable())
            helper.join();
        throw;
    }
    if (helper.joinable())
        helper.join();
    if (failure)
        std::rethrow_exception(failure);
    freeSlabs();
    m_entries = std::move(first.entries);
    m_log = std::move(first.log);
    const qint32 shift = qint32(m_entries.size());
    m_entries.insert(m_entries.end(), second.entries.begin(), second.entries.end());
    m_log.reserve(m_log.size() + second.log.size());
    for (const Met &met : second.log)
        m_log.push_back({met.entry + shift, met.disc});

    // Entries in the order of their first occurrences, which is the order
    // of their positions.
    const std::size_t entries = m_entries.size();
    ScratchVector<std::pair<std::uint64_t, qint32>> order(entries);
    for (std::size_t e = 0; e < entries; ++e)
        order[e] = {m_entries[e].place & kPositionMask, qint32(e)};
    sortByPosition(order);
    ScratchVector<qint32> ranks(entries);
    m_places.resize(entries);
    m_marks.resize(entries);
    ScratchVector<std::size_t> starts(entries + 1, 0);
    for (std::size_t rank = 0; rank < entries; ++rank) {
        const Entry &entry = m_entries[std::size_t(order[rank].second)];
        ranks[std::size_t(order[rank].second)] = qint32(rank);
        m_places[rank] = entry.place;
        m_marks[rank] = entry.mark;
        starts[rank + 1] = std::size_t(entry.discs);
    }
    for (std::size_t rank = 0; rank < entries; ++rank)
        starts[rank + 1] += starts[rank];

    // The log laid out entry by entry, each entry's discs in the order met,
    // each disc once.
    ScratchVector<qint32> discs(m_log.size());
    ScratchVector<std::size_t> nextOfRank(starts.begin(), starts.end() - 1);
    for (const Met &met : m_log)
        discs[nextOfRank[std::size_t(ranks[std::size_t(met.entry)])]++] = met.disc;
    // The copies dropped in place: each disc kept moves down, never up.
    std::vector<qint32> lastEntryOfDisc(std::size_t(discCount), -1);
    m_discStarts.assign(1, 0);
    m_discStarts.reserve(entries + 1);
    std::size_t kept = 0;
    for (std::size_t rank = 0; rank < entries; ++rank) {
        for (std::size_t k = starts[rank]; k < starts[rank + 1]; ++k) {
            qint32 &last = lastEntryOfDisc[std::size_t(discs[k])];
            if (last != qint32(rank)) {
                last = qint32(rank);
                discs[kept++] = discs[k];
            }
        }
        m_discStarts.push_back(kept);
    }
    discs.resize(kept);
    m_discs = std::move(discs);

    m_entries = {};
    m_log = {};
    if (lookup == Lookup::None)
        return;

    // A table of the entries by hash, for entryOf().
    std::size_t size = 16;
    while (size < entries * 2)
        size *= 2;
    m_entrySlots.assign(size, -1);
    for (std::size_t rank = 0; rank < entries; ++rank) {
        std::size_t at = m_marks[rank] & (size - 1);
        while (m_entrySlots[at] >= 0)
            at = (at + 1) & (size - 1);
        m_entrySlots[at] = qint32(rank);
    }
}

qsizetype DuplicateKeys::entryOf(std::string_view bytes) const
{
    const std::uint32_t mark = markOf(hashBytes(bytes));
    const std::size_t mask = m_entrySlots.size() - 1;
    for (std::size_t at = mark & mask; m_entrySlots[at] >= 0; at = (at + 1) & mask) {
        const qint32 entry = m_entrySlots[at];
        if (m_marks[std::size_t(entry)] == mark && this->bytes(entry) == bytes)
            return entry;
    }
    return -1;
}

} // namespace kobrix
