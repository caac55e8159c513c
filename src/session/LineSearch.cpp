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
    qsizetype stepHits = 0;
    do {
        const qsizetype end = std::min(m_count, m_next + kLinesPerStep);
        // The hits go straight into the last chunk, which has room for a
        // whole block's.
        if (m_chunks.empty() || m_chunks.back().size() + std::size_t(kLinesPerStep) > kHitsPerChunk) {
            m_chunks.emplace_back();
            m_chunks.back().reserve(std::min(kHitsPerChunk, std::size_t(m_count - m_next)));
        }
        std::vector<qsizetype> &chunk = m_chunks.back();
        const std::size_t before = chunk.size();
        m_matcher->findIn(m_lines, m_next, end, chunk);
        m_next = end;
        const auto found = qsizetype(chunk.size() - before);
        m_hitCount += found;
        stepHits += found;
    } while (m_next < m_count && !control.sliceOver() && !control.stopRequested()
             && (m_hitBudget < 0 || stepHits < m_hitBudget));
    if (!m_chunks.empty() && m_chunks.back().empty())
        m_chunks.pop_back();
    control.setProgress(m_next);
    return m_next >= m_count;
}

void LineSearch::finish()
{
    Task::finishHere([this](TaskControl &control) { return step(control); });
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
