#include "session/PieceSearch.h"

#include <QFileDevice>

namespace kobrix {

struct PieceSearch::Worker
{
    LineStore slice;
    std::vector<char> buffer;
    std::vector<qsizetype> hits;
};

PieceSearch::PieceSearch(const Matcher &matcher) : m_matcher(matcher) {}

PieceSearch::~PieceSearch() = default;

RuntimeError PieceSearch::run(const QString &path,
                              const std::function<bool(const PieceHits &)> &visit)
{
    m_visit = &visit;
    // Counting, a piece's result is a number: nothing to bound.
    m_options.ahead = m_keepLines ? 4 : 0;
    const RuntimeError error = runCatalogPieces(path, *this, m_options);
    m_hits.clear();
    m_visit = nullptr;
    return error;
}

void PieceSearch::begin(std::size_t pieces, int threads)
{
    m_hits.assign(pieces, PieceHits());
    while (m_workers.size() < std::size_t(threads))
        m_workers.push_back(std::make_unique<Worker>());
}

CatalogPieceWork::Outcome PieceSearch::read(const QFileDevice &file, std::size_t piece,
                                            qint64 begin, qint64 end, int thread,
                                            const std::atomic<bool> &stop)
{
    Worker &worker = *m_workers[std::size_t(thread)];
    PieceHits &result = m_hits[piece];
    if (m_keepLines) {
        const std::lock_guard lock(m_spareMutex);
        if (!m_spareLines.empty()) {
            result.lines = std::move(m_spareLines.back());
            m_spareLines.pop_back();
        }
    }
    LineStore &slice = worker.slice;
    slice.clear();
    // A text without a clue leaves every line outside ASCII to search, and
    // those are searched fastest with keys made as they are read.
    slice.setKeepSearchKeys(!m_matcher.hasClue());
    CatalogPieceReader reader(file, begin, end, slice, worker.buffer);
    reader.setLineFilter(&Matcher::mayMatchRecordFilter, &m_matcher, &Matcher::nextPossibleMatchFilter,
                         m_matcher.clueSettlesRecord() ? FieldParser::SkipRule::SettlesAndSearchDecides
                                                       : FieldParser::SkipRule::Hint);
    for (bool over = false; !over && !stop.load(std::memory_order_relaxed);) {
        over = reader.readChunk();
        worker.hits.clear();
        m_matcher.findIn(slice, 0, slice.count(), worker.hits);
        result.count += static_cast<long long>(worker.hits.size());
        if (m_keepLines) {
            for (const qsizetype i : worker.hits) {
                result.lines.append(slice.utf8At(i));
                result.lines.push_back('\n');
            }
        }
        slice.clear();
    }
    return {reader.error(), reader.tooLongRecordOffset()};
}

bool PieceSearch::handOn(std::size_t piece)
{
    PieceHits &hits = m_hits[piece];
    const bool goOn = (*m_visit)(hits);
    if (hits.lines.capacity() > 0) {
        hits.lines.clear();
        const std::lock_guard lock(m_spareMutex);
        m_spareLines.push_back(std::move(hits.lines));
    }
    return goOn;
}

} // namespace kobrix
