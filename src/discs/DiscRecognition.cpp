#include "discs/DiscRecognition.h"

#include "catalog/CatalogChunks.h"
#include "catalog/CatalogFile.h"
#include "catalog/CatalogFormat.h"
#include "core/DiscLine.h"

#include <QFile>
#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace kobrix {

namespace {

// A catalog is read a quarter of a megabyte at a time, which stays in the
// processor's cache while its lines are looked at.
constexpr std::size_t kChunk = std::size_t(1) << 18;

std::uint64_t hashOf(std::string_view bytes)
{
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ bytes.size();
    const char *p = bytes.data();
    std::size_t n = bytes.size();
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, p, n);
    h = (h ^ tail) * 0x94D049BB133111EBull;
    return h ^ (h >> 29);
}

// A cheap key of a path: its length and last eight bytes (the file's name
// and extension, where paths differ most), for the filter that turns most
// paths of other discs away before they are hashed whole.
std::uint64_t quickKeyOf(std::string_view path)
{
    std::uint64_t tail = 0;
    const std::size_t n = std::min<std::size_t>(path.size(), 8);
    std::memcpy(&tail, path.data() + path.size() - n, n);
    const std::uint64_t h = (tail ^ (std::uint64_t(path.size()) << 56)) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 32);
}

} // namespace

DiscRecognition::DiscRecognition(const LineStore &listing)
{
    m_scanFiles = listing.count();
    std::size_t tableSize = 16;
    while (tableSize < std::size_t(listing.count()) * 2)
        tableSize *= 2;
    m_table.assign(tableSize, 0);
    m_mask = tableSize - 1;
    // About 32 bits per path: one path of another disc in thirty passes.
    std::size_t filterBits = std::size_t(1) << 16;
    while (filterBits < tableSize * 16)
        filterBits *= 2;
    m_filter.assign(filterBits / 64, 0);
    m_filterMask = filterBits - 1;
    m_pathBytes.reserve(listing.byteSize());
    for (qsizetype i = 0; i < listing.count(); ++i) {
        const std::string_view path = listing.utf8At(i);
        if (const qsizetype known = findPath(path); known >= 0) {
            ++m_paths[std::size_t(known)].count;
            continue;
        }
        ScanPath entry{m_pathBytes.size(), path.size(), hashOf(path), 1};
        m_pathBytes.append(path);
        std::uint64_t slot = entry.hash & m_mask;
        while (m_table[slot])
            slot = (slot + 1) & m_mask;
        m_paths.push_back(entry);
        m_table[slot] = std::uint32_t(m_paths.size());
        const std::uint64_t bit = quickKeyOf(path) & m_filterMask;
        m_filter[bit / 64] |= std::uint64_t(1) << (bit % 64);
    }
    m_fields.setKeepSearchKeys(false);
}

qsizetype DiscRecognition::findPath(std::string_view path) const
{
    const std::uint64_t hash = hashOf(path);
    for (std::uint64_t slot = hash & m_mask; m_table[slot]; slot = (slot + 1) & m_mask) {
        const ScanPath &entry = m_paths[m_table[slot] - 1];
        if (entry.hash == hash && entry.size == path.size()
            && std::memcmp(m_pathBytes.data() + entry.offset, path.data(), path.size()) == 0)
            return qsizetype(m_table[slot] - 1);
    }
    return -1;
}

bool DiscRecognition::isSameDisc(const DiscLikeness &disc, qsizetype scanFiles)
{
    return disc.shared > 0 && disc.shared * 10 >= disc.discFiles * 9
        && disc.shared * 10 >= scanFiles * 9;
}

int DiscRecognition::discOf(std::string_view name)
{
    const auto [at, added] = m_discIds.try_emplace(std::string(name), int(m_discNames.size()));
    if (added) {
        m_discNames.emplace_back(name);
        m_discFiles.push_back(0);
        m_discShared.push_back(0);
    }
    return at->second;
}

void DiscRecognition::takeRecord(std::string_view record)
{
    // Most records follow one of the same disc: its name is checked in
    // place before the line is split. A name never holds " - \" (it ends at
    // the first), and the bytes that end it cannot begin another.
    int disc;
    std::string_view path;
    const std::size_t nameSize = m_lastDisc.size();
    if (m_lastDiscId >= 0 && record.size() > nameSize + 3
        && std::memcmp(record.data(), m_lastDisc.data(), nameSize) == 0
        && std::memcmp(record.data() + nameSize, " - \\", 4) == 0) {
        disc = m_lastDiscId;
        path = record.substr(nameSize + 3);
    } else {
        const DiscLineUtf8 split = splitDiscLine(record);
        if (!split.hasDisc)
            return;
        disc = discOf(split.disc);
        m_lastDisc.assign(split.disc);
        m_lastDiscId = disc;
        path = split.path;
    }
    ++m_discFiles[std::size_t(disc)];
    const std::uint64_t bit = quickKeyOf(path) & m_filterMask;
    if (!(m_filter[bit / 64] & (std::uint64_t(1) << (bit % 64))))
        return;
    const qsizetype found = findPath(path);
    if (found < 0)
        return;
    const std::uint64_t pair = (std::uint64_t(disc) << 32) | std::uint64_t(found);
    if (++m_pairs[pair] <= m_paths[std::size_t(found)].count)
        ++m_discShared[std::size_t(disc)];
}

void DiscRecognition::takeField(std::string_view field, bool hasHighBytes)
{
    // Decoded as the catalog reader decodes it.
    if (hasHighBytes && !isValidUtf8(field)) {
        m_decoded.clear();
        appendFieldAsUtf8(m_decoded, field);
        takeRecord(m_decoded);
        return;
    }
    takeRecord(field);
}

void DiscRecognition::takeRun(std::string_view run, std::size_t start)
{
    // A run holds whole lines, and quotes and line ends are ASCII: when the
    // run is UTF-8, so is each of its fields, and one check of the run at
    // full speed spares one per field.
    const bool runIsUtf8 = isValidUtf8(run);
    const char *p = run.data() + start;
    const char *const end = run.data() + run.size();
    while (p != end) {
        if (*p == '\n' || *p == '\r') {
            ++p; // an empty line: an empty field, which no disc holds
            continue;
        }
        if (*p == '"') {
            // A record as the writers make it: quote, text, quote, line end.
            bool high = false;
            const char *close = findQuoteOrLineEnd(p + 1, end, high);
            if (end - close >= 2 && *close == '"' && (close[1] == '\r' || close[1] == '\n')) {
                const std::string_view field(p + 1, std::size_t(close - p - 1));
                if (field.size() > kMaxRecordBytes) {
                    m_error = RuntimeError(BadRecordLength);
                    return;
                }
                takeField(field, high && !runIsUtf8);
                p = close + 1; // the line end is passed over as an empty line
                continue;
            }
        }
        // Any other line: its fields by the reader's rules.
        const std::size_t at = std::size_t(p - run.data());
        const std::size_t lineEnd = lineEndAt(run, at);
        const std::string_view line = run.substr(at, lineEnd - at);
        if (line.size() > kMaxRecordBytes) {
            m_error = RuntimeError(BadRecordLength);
            return;
        }
        m_fields.clear();
        FieldParser::parseLine(line, m_fields);
        for (qsizetype i = 0; i < m_fields.count(); ++i)
            takeRecord(m_fields.utf8At(i));
        p = run.data() + lineEnd;
    }
}

RuntimeError DiscRecognition::compareWith(const QString &catalogPath,
                                          const std::atomic<bool> *cancel)
{
    QFile file;
    if (RuntimeError error = openCatalogFile(catalogPath, file))
        return error;
    return compareWith(file, cancel);
}

RuntimeError DiscRecognition::compareWith(QIODevice &catalog, const std::atomic<bool> *cancel)
{
    m_discIds.clear();
    m_discNames.clear();
    m_discFiles.clear();
    m_discShared.clear();
    m_pairs.clear();
    m_lastDisc.clear();
    m_lastDiscId = -1;
    m_best.clear();
    m_error = RuntimeError();
    m_cancelled = false;

    CatalogChunkReader reader(catalog, kChunk);
    std::string_view run;
    bool first = true;
    while (reader.next(run)) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            m_cancelled = true;
            return RuntimeError();
        }
        takeRun(run, first ? byteOrderMarkLength(run) : 0);
        first = false;
        if (m_error)
            return m_error;
    }
    if (reader.error())
        return m_error = reader.error();
    rank();
    return RuntimeError();
}

void DiscRecognition::rank()
{
    std::vector<int> order;
    for (std::size_t disc = 0; disc < m_discNames.size(); ++disc) {
        if (m_discShared[disc] > 0)
            order.push_back(int(disc));
    }
    // Of two discs sharing as many lines, the one with fewer other files
    // is more like the scan.
    const auto better = [this](int a, int b) {
        const auto x = std::size_t(a);
        const auto y = std::size_t(b);
        if (m_discShared[x] != m_discShared[y])
            return m_discShared[x] > m_discShared[y];
        if (m_discFiles[x] != m_discFiles[y])
            return m_discFiles[x] < m_discFiles[y];
        return a < b;
    };
    const std::size_t shown = std::min(order.size(), std::size_t(kMostShown));
    std::partial_sort(order.begin(), order.begin() + std::ptrdiff_t(shown), order.end(), better);
    for (std::size_t i = 0; i < shown; ++i) {
        const auto disc = std::size_t(order[i]);
        m_best.push_back({QString::fromUtf8(m_discNames[disc]), m_discShared[disc],
                          m_discFiles[disc]});
    }
}

} // namespace kobrix
