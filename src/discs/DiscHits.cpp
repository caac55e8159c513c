#include "discs/DiscHits.h"

#include <algorithm>

namespace kobrix {

DiscHitGroups::DiscHitGroups(const DiscIndex &index, std::span<const qsizetype> hits)
{
    // Counted per disc first, then laid out disc after disc: two passes over
    // the hits, none over the catalog.
    std::vector<std::size_t> counts(std::size_t(index.count()), 0);
    for (const qsizetype line : hits)
        ++counts[std::size_t(index.discOfLine(line))];
    std::vector<std::size_t> next(counts.size());
    for (std::size_t disc = 0; disc < counts.size(); ++disc) {
        if (counts[disc] == 0)
            continue;
        next[disc] = m_starts.back();
        m_discs.push_back(qsizetype(disc));
        m_starts.push_back(m_starts.back() + counts[disc]);
    }
    m_hits.resize(hits.size());
    for (const qsizetype line : hits)
        m_hits[next[std::size_t(index.discOfLine(line))]++] = line;
}

qsizetype DiscHitGroups::groupOfDisc(qsizetype disc) const
{
    const auto it = std::lower_bound(m_discs.begin(), m_discs.end(), disc);
    return it != m_discs.end() && *it == disc ? qsizetype(it - m_discs.begin()) : -1;
}

} // namespace kobrix
