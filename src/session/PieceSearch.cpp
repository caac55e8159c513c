#include "session/PieceSearch.h"

#include "catalog/CatalogFile.h"
#include "catalog/CatalogPieces.h"
#include "catalog/CatalogSlot.h"
#include "catalog/DiscRecords.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace kobrix {

struct PieceSearch::Worker
{
    LineStore slice;
    std::vector<char> buffer;
    std::vector<qsizetype> hits;
};

namespace {

struct PieceResult
{
    PieceHits hits;
    RuntimeError error;
    qint64 tooLongOffset = -1;
    bool done = false;
};

} // namespace

struct PieceSearch::Shared
{
    explicit Shared(const QFile &f) : file(f) {}

    const QFile &file;
    std::vector<qint64> bounds;
    std::vector<PieceResult> results; // one a piece; each written by one thread
    std::mutex mutex;
    std::condition_variable pieceDone; // the calling thread waits for a piece
    std::condition_variable room;      // the threads wait for room ahead
    std::atomic<std::size_t> next{0};  // the next piece a thread takes
    std::size_t handedOn = 0;          // pieces handed to visit
    std::size_t ahead = 0;             // how far beyond those a thread may search
    std::atomic<bool> stop{false};
    // Emptied line buffers of pieces handed on, with their room: a search
    // that keeps many lines fills them again instead of fresh memory.
    std::vector<std::string> *spareLines = nullptr;
};

PieceSearch::PieceSearch(const Matcher &matcher) : m_matcher(matcher) {}

PieceSearch::~PieceSearch() = default;

void PieceSearch::searchPiece(Shared &shared, std::size_t piece, Worker &worker)
{
    PieceResult &result = shared.results[piece];
    if (m_keepLines) {
        const std::lock_guard lock(shared.mutex);
        if (!shared.spareLines->empty()) {
            result.hits.lines = std::move(shared.spareLines->back());
            shared.spareLines->pop_back();
        }
    }
    try {
        LineStore &slice = worker.slice;
        slice.clear();
        // A text without a clue leaves every line outside ASCII to search,
        // and those are searched fastest with keys made as they are read.
        slice.setKeepSearchKeys(!m_matcher.hasClue());
        CatalogPieceReader reader(shared.file, shared.bounds[piece], shared.bounds[piece + 1], slice,
                                  worker.buffer);
        reader.setLineFilter(&Matcher::mayMatchRecordFilter, &m_matcher,
                             &Matcher::nextPossibleMatchFilter,
                             m_matcher.clueSettlesRecord()
                                 ? FieldParser::SkipRule::SettlesAndSearchDecides
                                 : FieldParser::SkipRule::Hint);
        for (bool over = false; !over && !shared.stop.load(std::memory_order_relaxed);) {
            over = reader.readChunk();
            worker.hits.clear();
            m_matcher.findIn(slice, 0, slice.count(), worker.hits);
            result.hits.count += static_cast<long long>(worker.hits.size());
            if (m_keepLines) {
                for (const qsizetype i : worker.hits) {
                    result.hits.lines.append(slice.utf8At(i));
                    result.hits.lines.push_back('\n');
                }
            }
            slice.clear();
        }
        result.error = reader.error();
        result.tooLongOffset = reader.tooLongRecordOffset();
    } catch (const std::bad_alloc &) {
        result.error = RuntimeError(OutOfMemory);
    }
    {
        const std::lock_guard lock(shared.mutex);
        result.done = true;
    }
    shared.pieceDone.notify_one();
}

void PieceSearch::workOn(Shared &shared, Worker &worker)
{
    for (;;) {
        const std::size_t piece = shared.next.fetch_add(1);
        if (piece >= shared.results.size())
            return;
        {
            std::unique_lock lock(shared.mutex);
            shared.room.wait(lock, [&] {
                return shared.stop.load() || piece < shared.handedOn + shared.ahead;
            });
        }
        if (shared.stop.load())
            return;
        searchPiece(shared, piece, worker);
    }
}

RuntimeError PieceSearch::run(const QString &path,
                              const std::function<bool(const PieceHits &)> &visit)
{
    CatalogSlot slot;
    if (RuntimeError busy = slot.acquire())
        return busy;
    QFile file;
    qint64 size = 0;
    if (RuntimeError error = openCatalogFile(path, file, &size))
        return error;
    Shared shared(file);
    shared.spareLines = &m_spareLines;
    RuntimeError failure;
    shared.bounds = catalogPieceBounds(file, size, m_pieceBytes, failure);
    if (failure)
        return failure;
    const std::size_t pieces = shared.bounds.size() - 1;
    shared.results.resize(pieces);
    const int wanted = m_threads > 0 ? m_threads
                                     : std::clamp(int(std::thread::hardware_concurrency()), 1, 4);
    const std::size_t threads = std::min(std::size_t(wanted), pieces);
    while (m_workers.size() < std::max<std::size_t>(threads, 1))
        m_workers.push_back(std::make_unique<Worker>());
    // Counting, a piece's result is a number: nothing to bound.
    shared.ahead = m_keepLines ? 2 * threads : pieces;

    std::vector<std::thread> running;
    if (threads > 1) {
        try {
            for (std::size_t t = 0; t < threads; ++t)
                running.emplace_back([this, &shared, t] { workOn(shared, *m_workers[t]); });
        } catch (const std::system_error &) {
            // Fewer threads than wished: those started do the work.
        }
    }

    qint64 tooLongOffset = -1;
    for (std::size_t i = 0; i < pieces; ++i) {
        if (running.empty())
            searchPiece(shared, i, *m_workers.front());
        PieceResult result;
        {
            std::unique_lock lock(shared.mutex);
            shared.pieceDone.wait(lock, [&] { return shared.results[i].done; });
            result = std::move(shared.results[i]);
            shared.handedOn = i + 1;
        }
        shared.room.notify_all();
        // The lines before a failure are handed on first, as a reading
        // front to back would have found them.
        const bool goOn = visit(result.hits);
        if (result.hits.lines.capacity() > 0) {
            result.hits.lines.clear();
            const std::lock_guard lock(shared.mutex);
            shared.spareLines->push_back(std::move(result.hits.lines));
        }
        if (result.error) {
            failure = result.error;
            tooLongOffset = result.tooLongOffset;
            break;
        }
        if (!goOn)
            break;
    }
    {
        const std::lock_guard lock(shared.mutex);
        shared.stop.store(true);
    }
    shared.room.notify_all();
    for (std::thread &thread : running)
        thread.join();
    if (tooLongOffset >= 0)
        failure = recordTooLongError(lineNumberAt(file, tooLongOffset));
    return failure;
}

} // namespace kobrix
