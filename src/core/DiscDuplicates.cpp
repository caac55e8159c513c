#include "core/DiscDuplicates.h"

#include <QByteArrayView>
#include <QHashFunctions>

#include <algorithm>
#include <numeric>

namespace kobrix {

namespace {

constexpr std::uint32_t kOnSeveralDiscs = 0x80000000u;

// Asks for the memory of a slot ahead of its use.
inline void prefetch(const void *address)
{
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

} // namespace

DiscDuplicates::DiscDuplicates(const LineStore &lines, const DiscIndex &index, Key key)
    : m_lines(lines)
    , m_index(index)
    , m_keyKind(key)
{
    const qsizetype n = lines.count();
    std::size_t size = 16;
    while (size < std::size_t(n) * 2)
        size *= 2;
    m_slots.assign(size, 0);
    const std::size_t mask = size - 1;

    // Keys met on a second disc, in the order found.
    struct Found
    {
        qint32 firstLine;
        std::vector<qint32> discs;
    };
    std::vector<Found> found;

    // Nearly every key is new, and its slot lies anywhere in a table far
    // larger than the processor's caches: the keys are hashed some lines
    // ahead and their slots fetched while the lines before are placed.
    constexpr qsizetype kAhead = 16;
    struct Pending
    {
        std::string_view key;
        std::uint64_t hash = 0;
        bool onDisc = false;
    };
    Pending pending[kAhead];
    const auto prepare = [&](qsizetype line) {
        Pending &p = pending[line % kAhead];
        p.onDisc = !index.isLooseLines(index.discOfLine(line));
        if (!p.onDisc)
            return;
        p.key = keyOf(line);
        p.hash = hashKey(p.key);
        prefetch(&m_slots[p.hash & mask]);
    };
    for (qsizetype line = 0; line < std::min(n, kAhead); ++line)
        prepare(line);

    for (qsizetype line = 0; line < n; ++line) {
        const Pending p = pending[line % kAhead];
        if (line + kAhead < n)
            prepare(line + kAhead);
        if (!p.onDisc)
            continue;
        const auto disc = qint32(index.discOfLine(line));
        const std::uint64_t tag = p.hash >> 32;
        for (std::size_t slot = p.hash & mask;; slot = (slot + 1) & mask) {
            const std::uint64_t value = m_slots[slot];
            if (value == 0) {
                m_slots[slot] = (tag << 32) | std::uint32_t(line + 1);
                break;
            }
            if (value >> 32 != tag)
                continue;
            const auto ref = std::uint32_t(value);
            if (ref & kOnSeveralDiscs) {
                Found &f = found[ref & ~kOnSeveralDiscs];
                if (keyOf(f.firstLine) != p.key)
                    continue;
                // Lines of one disc mostly stand together: its last disc
                // is nearly always the one to compare.
                if (f.discs.back() != disc
                    && std::find(f.discs.begin(), f.discs.end(), disc) == f.discs.end())
                    f.discs.push_back(disc);
                break;
            }
            const auto first = qint32(ref - 1);
            if (keyOf(first) != p.key)
                continue;
            const auto firstDisc = qint32(index.discOfLine(first));
            if (firstDisc != disc) {
                m_slots[slot] = (tag << 32) | kOnSeveralDiscs | std::uint32_t(found.size());
                found.push_back({first, {firstDisc, disc}});
            }
            break;
        }
    }

    // In the order of their first lines.
    std::vector<qint32> order(found.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qint32 a, qint32 b) {
        return found[std::size_t(a)].firstLine < found[std::size_t(b)].firstLine;
    });
    m_entryRanks.resize(found.size());
    m_firstLines.reserve(found.size());
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        const Found &f = found[std::size_t(order[rank])];
        m_entryRanks[std::size_t(order[rank])] = qint32(rank);
        m_firstLines.push_back(f.firstLine);
        m_discs.insert(m_discs.end(), f.discs.begin(), f.discs.end());
        m_discStarts.push_back(m_discs.size());
    }
}

std::string_view DiscDuplicates::keyOf(qsizetype line) const
{
    const std::string_view text = m_lines.utf8At(line);
    const std::string_view path = text.substr(std::min(m_index.pathStart(line), text.size()));
    if (m_keyKind == Key::Path)
        return path;
    const std::size_t cut = path.rfind('\\');
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::uint64_t DiscDuplicates::hashKey(std::string_view key) const
{
    return qHash(QByteArrayView(key.data(), qsizetype(key.size())));
}

std::size_t DiscDuplicates::slotOf(std::string_view key, std::uint64_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    const std::uint64_t tag = hash >> 32;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t value = m_slots[slot];
        if (value == 0)
            return slot;
        if (value >> 32 != tag)
            continue;
        const auto ref = std::uint32_t(value);
        const qsizetype first = ref & kOnSeveralDiscs
                                    ? m_firstLines[std::size_t(m_entryRanks[ref & ~kOnSeveralDiscs])]
                                    : qsizetype(ref) - 1;
        if (keyOf(first) == key)
            return slot;
    }
}

qsizetype DiscDuplicates::entryOfLine(qsizetype line) const
{
    if (m_index.isLooseLines(m_index.discOfLine(line)))
        return -1;
    const std::string_view key = keyOf(line);
    const auto ref = std::uint32_t(m_slots[slotOf(key, hashKey(key))]);
    return ref & kOnSeveralDiscs ? m_entryRanks[ref & ~kOnSeveralDiscs] : -1;
}

QString DiscDuplicates::key(qsizetype entry) const
{
    const std::string_view text = utf8Key(entry);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace kobrix
