#include "discs/DiscIndex.h"

#include "core/ByteHash.h"
#include "core/DiscLine.h"


#include <algorithm>
#include <numeric>

namespace kobrix {

namespace {

std::size_t hashName(std::string_view name)
{
    return std::size_t(hashBytes(name));
}

} // namespace

DiscTally::DiscTally()
{
    clear();
}

void DiscTally::clear()
{
    m_names.clear();
    m_asciiNames.clear();
    m_lineCounts.clear();
    m_pathStarts.clear();
    m_hashes.clear();
    m_slots.assign(16, -1);
    m_partFirstDiscs.assign(1, 0);
    m_loose = -1;
    m_last = -1;
    m_lastLoose = false;
    m_lastName = {};
}

void DiscTally::startPart()
{
    // The names of the earlier parts are no longer looked up: their discs
    // keep their numbers, and a name met again makes a new disc.
    std::fill(m_slots.begin(), m_slots.end(), -1);
    m_partFirstDiscs.push_back(count());
    m_loose = -1;
    m_last = -1;
    m_lastLoose = false;
    m_lastName = {};
}

qint32 DiscTally::partOf(qint32 disc) const
{
    const auto after = std::upper_bound(m_partFirstDiscs.begin(), m_partFirstDiscs.end(), disc);
    return qint32(after - m_partFirstDiscs.begin()) - 1;
}

std::size_t DiscTally::slotOf(std::string_view name, std::size_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const qint32 disc = m_slots[slot];
        if (disc < 0 || (m_hashes[std::size_t(disc)] == hash && m_names[std::size_t(disc)] == name))
            return slot;
    }
}

void DiscTally::growSlots()
{
    m_slots.assign(m_slots.size() * 2, -1);
    const std::size_t mask = m_slots.size() - 1;
    for (qint32 disc = m_partFirstDiscs.back(); disc < count(); ++disc) {
        if (disc == m_loose)
            continue;
        std::size_t slot = m_hashes[std::size_t(disc)] & mask;
        while (m_slots[slot] >= 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = disc;
    }
}

qint32 DiscTally::looseDisc()
{
    if (m_loose < 0) {
        m_loose = count();
        m_names.emplace_back();
        m_asciiNames.push_back(true);
        m_lineCounts.push_back(0);
        m_pathStarts.push_back(0);
        m_hashes.push_back(0);
    }
    return m_loose;
}

qint32 DiscTally::newDisc(std::string_view name, bool ascii, std::size_t pathStart, std::size_t hash,
                          std::size_t slot)
{
    const qint32 disc = count();
    m_names.emplace_back(name);
    m_asciiNames.push_back(ascii);
    m_lineCounts.push_back(0);
    m_pathStarts.push_back(pathStart);
    m_hashes.push_back(hash);
    m_slots[slot] = disc;
    // At most half the slots taken: probes stay short.
    if (std::size_t(count()) * 2 > m_slots.size())
        growSlots();
    return disc;
}

void DiscTally::addTally(const DiscTally &later, std::vector<qint32> *numbers)
{
    if (numbers)
        numbers->resize(std::size_t(later.count()));
    for (qint32 other = 0; other < later.count(); ++other) {
        qint32 disc;
        if (later.isLooseLines(other)) {
            disc = looseDisc();
        } else {
            const std::string_view name = later.utf8Name(other);
            const std::size_t hash = later.m_hashes[std::size_t(other)];
            const std::size_t slot = slotOf(name, hash);
            disc = m_slots[slot];
            if (disc < 0)
                disc = newDisc(name, later.isAsciiName(other), later.pathStart(other), hash, slot);
        }
        m_lineCounts[std::size_t(disc)] += later.lineCount(other);
        if (numbers)
            (*numbers)[std::size_t(other)] = disc;
    }
    // The next line is looked up by its name.
    m_last = -1;
    m_lastLoose = false;
    m_lastName = {};
}

qint32 DiscTally::addToOtherDisc(std::string_view line)
{
    const DiscLineUtf8 split = splitDiscLine(line);
    qint32 disc;
    if (!split.hasDisc) {
        disc = looseDisc();
    } else {
        const std::size_t hash = hashName(split.disc);
        std::size_t slot = slotOf(split.disc, hash);
        disc = m_slots[slot];
        if (disc < 0)
            disc = newDisc(split.disc, isAscii(split.disc), split.disc.size() + 3, hash, slot);
    }
    ++m_lineCounts[std::size_t(disc)];
    m_last = disc;
    m_lastLoose = disc == m_loose;
    m_lastName = m_names[std::size_t(disc)];
    return disc;
}

qint32 DiscTally::indexOf(std::string_view name) const
{
    return m_slots[slotOf(name, hashName(name))];
}

void DiscIndex::clear()
{
    m_tally.clear();
    m_discOfLine.clear();
    m_grouped.clear();
    m_groupStarts.assign(1, 0);
}

void DiscIndex::build(const LineStore &lines)
{
    build(lines, {});
}

void DiscIndex::build(const LineStore &lines, std::span<const qsizetype> partStarts)
{
    clear();
    const qsizetype n = lines.count();
    m_discOfLine.resize(std::size_t(n));
    // The stretches of consecutive lines of one disc, to lay out the lines
    // disc by disc afterwards with a few block moves.
    struct Run
    {
        qint32 disc;
        qint32 begin;
        qint32 end;
    };
    std::vector<Run> runs;
    const char *bytes = lines.bytes();
    const std::int64_t *starts = lines.lineStarts();
    qint32 runDisc = -1;
    qint32 runBegin = 0;
    // Part by part; the first starts at 0 whatever partStarts says.
    for (std::size_t part = 0; part == 0 || part < partStarts.size(); ++part) {
        if (part > 0)
            m_tally.startPart();
        const qsizetype end =
            part + 1 < partStarts.size() ? std::min(partStarts[part + 1], n) : n;
        for (qsizetype i = part > 0 ? partStarts[part] : 0; i < end; ++i) {
            const std::string_view line(bytes + starts[i],
                                        std::size_t(starts[i + 1] - starts[i] - 1));
            const qint32 disc = m_tally.add(line);
            m_discOfLine[std::size_t(i)] = disc;
            if (disc != runDisc) {
                if (runDisc >= 0)
                    runs.push_back({runDisc, runBegin, qint32(i)});
                runDisc = disc;
                runBegin = qint32(i);
            }
        }
    }
    if (runDisc >= 0)
        runs.push_back({runDisc, runBegin, qint32(n)});

    m_groupStarts.resize(std::size_t(count()) + 1);
    for (qint32 disc = 0; disc < m_tally.count(); ++disc)
        m_groupStarts[std::size_t(disc) + 1] = m_groupStarts[std::size_t(disc)]
                                               + std::size_t(m_tally.lineCount(disc));
    m_grouped.resize(std::size_t(n));
    std::vector<std::size_t> next(m_groupStarts.begin(), m_groupStarts.end() - 1);
    for (const Run &run : runs) {
        qint32 *out = m_grouped.data() + next[std::size_t(run.disc)];
        std::iota(out, out + (run.end - run.begin), run.begin);
        next[std::size_t(run.disc)] += std::size_t(run.end - run.begin);
    }
}

QString DiscIndex::name(qsizetype disc) const
{
    const std::string_view name = utf8Name(disc);
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

qsizetype DiscIndex::indexOf(QStringView name) const
{
    const QByteArray utf8 = name.toUtf8();
    return m_tally.indexOf(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

} // namespace kobrix
