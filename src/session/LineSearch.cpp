#include "session/LineSearch.h"

#include "core/LineStore.h"
#include "session/Task.h"

namespace kobrix {

namespace {

// Lines matched between two looks at the clock. Small enough that even the
// slowest lines (full Unicode comparison) overrun the slice budget by little.
constexpr qsizetype kLinesPerStep = 1024;
// Hits kept in one piece.
constexpr std::size_t kHitsPerChunk = 1 << 16;

} // namespace

LineSearch::LineSearch(const LineStore &lines, QStringView typed)
    : m_lines(lines)
    , m_matcher(std::in_place, effectiveSearchText(typed))
    , m_count(lines.count())
{}

LineSearch::LineSearch(const LineStore &lines, const Matcher &matcher)
    : m_lines(lines)
    , m_matcher(matcher)
    , m_count(lines.count())
{}

void LineSearch::setText(QStringView typed)
{
    m_matcher.emplace(effectiveSearchText(typed));
}

bool LineSearch::step(TaskControl &control)
{
    std::vector<qsizetype> found;
    found.reserve(std::size_t(kLinesPerStep));
    qsizetype stepHits = 0;
    do {
        const qsizetype end = std::min(m_count, m_next + kLinesPerStep);
        found.clear();
        m_matcher->findIn(m_lines, m_next, end, found);
        m_next = end;
        if (found.empty())
            continue;
        if (m_chunks.empty() || m_chunks.back().size() + found.size() > kHitsPerChunk) {
            m_chunks.emplace_back();
            m_chunks.back().reserve(std::min(kHitsPerChunk, std::size_t(m_count - m_next) + found.size()));
        }
        m_chunks.back().insert(m_chunks.back().end(), found.begin(), found.end());
        m_hitCount += qsizetype(found.size());
        stepHits += qsizetype(found.size());
    } while (m_next < m_count && !control.sliceOver() && !control.stopRequested()
             && (m_hitBudget < 0 || stepHits < m_hitBudget));
    control.setProgress(m_next);
    return m_next >= m_count;
}

void LineSearch::finish()
{
    TaskControl control;
    while (!step(control)) {
    }
}

int LineSearch::percentDone() const
{
    return m_count == 0 ? 100 : int(m_next * 100 / m_count);
}

std::vector<std::vector<qsizetype>> LineSearch::takeChunks()
{
    return std::exchange(m_chunks, {});
}

std::vector<qsizetype> LineSearch::takeHits()
{
    std::vector<std::vector<qsizetype>> chunks = takeChunks();
    if (chunks.size() == 1)
        return std::move(chunks.front());
    std::size_t total = 0;
    for (const auto &chunk : chunks)
        total += chunk.size();
    std::vector<qsizetype> hits;
    hits.reserve(total);
    for (auto &chunk : chunks) {
        hits.insert(hits.end(), chunk.begin(), chunk.end());
        chunk = {};
    }
    return hits;
}

} // namespace kobrix
