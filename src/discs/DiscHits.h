#pragma once

#include "discs/DiscIndex.h"

#include <span>
#include <vector>

namespace kobrix {

// Lines found by a search, grouped by the disc that holds them: the discs
// with hits in the order of the catalog's discs, each with its hit lines in
// the order they came.
class DiscHitGroups
{
public:
    DiscHitGroups() = default;
    DiscHitGroups(const DiscIndex &index, std::span<const qsizetype> hits);

    // Discs with at least one hit.
    qsizetype count() const { return qsizetype(m_discs.size()); }
    qsizetype disc(qsizetype group) const { return m_discs[std::size_t(group)]; }
    qsizetype hitCount(qsizetype group) const
    {
        return qsizetype(m_starts[std::size_t(group) + 1] - m_starts[std::size_t(group)]);
    }
    std::span<const qsizetype> hits(qsizetype group) const
    {
        return {m_hits.data() + m_starts[std::size_t(group)], std::size_t(hitCount(group))};
    }
    qsizetype totalHits() const { return qsizetype(m_hits.size()); }
    // The group of a disc, -1 when it has no hit.
    qsizetype groupOfDisc(qsizetype disc) const;

private:
    std::vector<qsizetype> m_discs;
    std::vector<std::size_t> m_starts{0};
    std::vector<qsizetype> m_hits;
};

} // namespace kobrix
