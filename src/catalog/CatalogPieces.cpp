#include "catalog/CatalogPieces.h"

#include "catalog/CatalogFile.h"
#include "catalog/CatalogFileSystem.h"
#include "catalog/CatalogSlot.h"
#include "catalog/DiscRecords.h"
#include "core/LineStore.h"

#include <QFile>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

namespace kobrix {

namespace {

// The start of the first line that begins at or after `at` (0 < at < size):
// behind the first line end at or after at - 1, a CR LF taken whole. size
// when no line starts behind it; -1 when the line runs on beyond the
// longest record.
qint64 lineStartFrom(const QFileDevice &file, qint64 at, qint64 size, std::vector<char> &buffer,
                     RuntimeError &error)
{
    const qint64 limit = std::min(size, at + qint64(kMaxRecordBytes) + 2);
    bool afterCr = false;
    for (qint64 pos = at - 1; pos < limit;) {
        int number = 0;
        const qint64 n = filesystem::readAt(file, pos, buffer.data(),
                                            std::min(qint64(buffer.size()), limit - pos), number);
        if (n < 0) {
            error = RuntimeError(number);
            return -1;
        }
        if (n == 0)
            return size; // the file is shorter than it was
        for (qint64 i = 0; i < n; ++i) {
            const char c = buffer[std::size_t(i)];
            if (afterCr)
                return c == '\n' ? pos + i + 1 : pos + i;
            if (c == '\n')
                return pos + i + 1;
            afterCr = c == '\r';
        }
        pos += n;
    }
    return limit == size ? size : -1;
}

constexpr std::size_t kBoundReadBytes = 1 << 12;
constexpr std::size_t kChunkBytes = 1 << 17;

} // namespace

std::vector<qint64> catalogPieceBounds(const QFileDevice &file, qint64 size, qint64 pieceBytes,
                                       RuntimeError &error)
{
    std::vector<qint64> bounds{0};
    std::vector<char> buffer(kBoundReadBytes);
    for (qint64 at = pieceBytes; pieceBytes > 0 && at < size; at += pieceBytes) {
        const qint64 start = lineStartFrom(file, at, size, buffer, error);
        if (error)
            return {};
        // Reading stops at a line too long for a record: the piece that
        // holds it is the last one needed.
        if (start < 0)
            break;
        if (start > bounds.back() && start < size)
            bounds.push_back(start);
    }
    bounds.push_back(size);
    return bounds;
}

CatalogPieceReader::CatalogPieceReader(const QFileDevice &file, qint64 begin, qint64 end,
                                       LineStore &out, std::vector<char> &buffer)
    : m_file(file), m_begin(begin), m_next(begin), m_end(end), m_buffer(buffer), m_parser(out)
{
    // Record numbers are found by reading the file again from its start.
    m_parser.setCountSkippedLines(false);
    if (begin > 0)
        m_parser.setStartsInsideFile();
    if (m_buffer.size() != kChunkBytes)
        m_buffer.resize(kChunkBytes);
}

bool CatalogPieceReader::readChunk()
{
    if (m_over)
        return true;
    qint64 n = 0;
    if (m_next < m_end) {
        int number = 0;
        n = filesystem::readAt(m_file, m_next, m_buffer.data(),
                               std::min(qint64(m_buffer.size()), m_end - m_next), number);
        if (n < 0) {
            m_error = RuntimeError(number);
            m_over = true;
            return true;
        }
    }
    if (n == 0) { // the end of the piece, or of a file shorter than it was
        m_parser.finish();
        m_over = true;
        return true;
    }
    m_next += n;
    m_parser.feed(std::string_view(m_buffer.data(), std::size_t(n)));
    if (m_parser.error()) {
        m_error = m_parser.error();
        if (const std::int64_t at = m_parser.tooLongRecordOffset(); at >= 0)
            m_tooLongOffset = m_begin + at;
        m_over = true;
        return true;
    }
    if (m_next >= m_end) {
        m_parser.finish();
        m_over = true;
    }
    return m_over;
}

namespace {

// What the threads of one run share.
struct PieceRun
{
    PieceRun(const QFile &f, CatalogPieceWork &w, const std::vector<qint64> &b)
        : file(f), work(w), bounds(b), outcomes(b.size() - 1), done(b.size() - 1, 0)
    {
    }

    // Reads piece after piece on thread number `thread` until none is left.
    void readPieces(int thread)
    {
        for (;;) {
            const std::size_t piece = next.fetch_add(1);
            if (piece >= outcomes.size())
                return;
            {
                std::unique_lock lock(mutex);
                room.wait(lock, [&] { return stop.load() || ahead == 0 || piece < handedOn + ahead; });
            }
            if (stop.load())
                return;
            readPiece(piece, thread);
        }
    }

    void readPiece(std::size_t piece, int thread)
    {
        CatalogPieceWork::Outcome outcome;
        try {
            outcome = work.read(file, piece, bounds[piece], bounds[piece + 1], thread, stop);
        } catch (const std::bad_alloc &) {
            outcome.error = RuntimeError(OutOfMemory);
        }
        {
            const std::lock_guard lock(mutex);
            outcomes[piece] = outcome;
            done[piece] = 1;
        }
        pieceDone.notify_one();
    }

    const QFile &file;
    CatalogPieceWork &work;
    const std::vector<qint64> &bounds;
    std::vector<CatalogPieceWork::Outcome> outcomes;
    std::vector<char> done;
    std::mutex mutex;
    std::condition_variable pieceDone; // the calling thread waits for a piece
    std::condition_variable room;      // the threads wait for room ahead
    std::atomic<std::size_t> next{0};  // the next piece a thread takes
    std::size_t handedOn = 0;          // pieces handed on
    std::size_t ahead = 0;
    std::atomic<bool> stop{false};
};

} // namespace

RuntimeError runCatalogPieces(const QString &path, CatalogPieceWork &work,
                              const CatalogPieceOptions &options)
{
    CatalogSlot slot;
    if (RuntimeError busy = slot.acquire())
        return busy;
    QFile file;
    qint64 size = 0;
    if (RuntimeError error = openCatalogFile(path, file, &size))
        return error;
    RuntimeError failure;
    const std::vector<qint64> bounds = catalogPieceBounds(file, size, options.pieceBytes, failure);
    if (failure)
        return failure;
    PieceRun run(file, work, bounds);
    run.ahead = options.ahead;
    const std::size_t pieces = bounds.size() - 1;
    const int wanted = options.threads > 0
                           ? options.threads
                           : std::clamp(int(std::thread::hardware_concurrency()), 1, 4);
    const int threads = int(std::min(std::size_t(wanted), pieces));
    work.begin(pieces, std::max(threads, 1));

    std::vector<std::thread> running;
    if (threads > 1) {
        try {
            for (int t = 0; t < threads; ++t)
                running.emplace_back([&run, t] { run.readPieces(t); });
        } catch (const std::system_error &) {
            // Fewer threads than wished: those started do the work.
        }
    }

    qint64 tooLongOffset = -1;
    for (std::size_t piece = 0; piece < pieces; ++piece) {
        if (running.empty())
            run.readPiece(piece, 0);
        CatalogPieceWork::Outcome outcome;
        {
            std::unique_lock lock(run.mutex);
            run.pieceDone.wait(lock, [&] { return run.done[piece] != 0; });
            outcome = run.outcomes[piece];
            run.handedOn = piece + 1;
        }
        run.room.notify_all();
        // What a piece found before its failure is handed on first, as a
        // reading front to back would have found it. Memory running out
        // while it is handed on stops the work like a failed piece, so
        // that the threads still reading are stopped and joined.
        bool goOn = false;
        try {
            goOn = work.handOn(piece);
        } catch (const std::bad_alloc &) {
            outcome = {RuntimeError(OutOfMemory), -1};
        }
        if (outcome.error) {
            failure = outcome.error;
            tooLongOffset = outcome.tooLongOffset;
            break;
        }
        if (!goOn)
            break;
    }
    {
        const std::lock_guard lock(run.mutex);
        run.stop.store(true);
    }
    run.room.notify_all();
    for (std::thread &thread : running)
        thread.join();
    if (tooLongOffset >= 0)
        failure = recordTooLongError(lineNumberAt(file, tooLongOffset));
    return failure;
}

} // namespace kobrix
