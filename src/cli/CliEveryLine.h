#pragma once

// Every line of a catalog, read once, handed over in order without keeping
// the lines: for kobrix-cli's commands that look at each line of a large
// catalog but keep little of it.

#include "catalog/CatalogFile.h"
#include "catalog/CatalogPieces.h"
#include "core/LineStore.h"
#include "core/RuntimeError.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace kobrix::cli {

// What one pass over a text tells: whether it holds a comma or a double
// quote, and whether a byte outside ASCII.
struct TextMarks
{
    bool separators = false;
    bool highBytes = false;
};

inline TextMarks markText(std::string_view text)
{
    TextMarks marks;
    const char *p = text.data();
    std::size_t n = text.size();
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i comma = _mm_set1_epi8(',');
    const __m128i quote = _mm_set1_epi8('"');
    unsigned high = 0;
    for (; n >= 16; p += 16, n -= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, comma), _mm_cmpeq_epi8(block, quote)))) {
            marks.separators = true;
            return marks;
        }
        high |= unsigned(_mm_movemask_epi8(block));
    }
    marks.highBytes = high != 0;
#endif
    for (; n > 0; ++p, --n) {
        if (*p == ',' || *p == '"') {
            marks.separators = true;
            return marks;
        }
        marks.highBytes |= (static_cast<unsigned char>(*p) & 0x80) != 0;
    }
    return marks;
}

// Whether a text handed to takeAsIs() is UTF-8 as it stands: all ASCII,
// checked by the reader with its block, or checked here.
inline bool isUtf8(const FieldParser::FilterText &text)
{
    return !text.highBytes || text.knownUtf8 || isValidUtf8(text.bytes);
}

// Hands every line of a catalog, in its order and as a load would read it,
// to handler.line(), storing as few lines as it can: the catalog is read
// once, and only what the handler keeps stays in memory.
//
// The reader hands its line filter the text of a record (the field between
// its quotes) or, for a line of another shape, the whole line. The text
// between a record's quotes is exactly its one field, and so is a line that
// holds no quote, no comma and no blank in front;
// handler.takeAsIs(text) takes such a text as the line when its bytes need
// no converting (isUtf8(text)), or it declines. Any other text
// the reader stores, parsed and converted; those lines are handed over from
// the slice at the next call, so that every line comes in its turn.
// handler.begin(fileSize) is called once the file is open.
template <typename Handler>
class EveryLine
{
public:
    explicit EveryLine(Handler &handler) : m_handler(handler) {}

    RuntimeError read(const QString &path)
    {
        CatalogReader reader;
        if (RuntimeError error = reader.open(path))
            return error;
        m_handler.begin(reader.fileSize());
        m_slice.setKeepSearchKeys(false);
        reader.setLineFilter(&filter, this);
        reader.setRoom(CatalogReader::Room::SliceBySlice);
        bool finished = false;
        while (!finished) {
            finished = reader.readSome(m_slice, std::chrono::nanoseconds(0));
            handStored();
            m_slice.clear();
            m_handed = 0;
        }
        return reader.error();
    }

    // The same for one piece of an open catalog file (see CatalogPieces.h),
    // with buffer as the chunk buffer; stops early once stop is set.
    CatalogPieceWork::Outcome readPiece(const QFileDevice &file, qint64 begin, qint64 end,
                                        std::vector<char> &buffer, const std::atomic<bool> &stop)
    {
        m_handler.begin(end - begin);
        m_slice.setKeepSearchKeys(false);
        CatalogPieceReader reader(file, begin, end, m_slice, buffer);
        reader.setLineFilter(&filter, this, nullptr, FieldParser::SkipRule::Hint);
        for (bool over = false; !over && !stop.load(std::memory_order_relaxed);) {
            over = reader.readChunk();
            handStored();
            m_slice.clear();
            m_handed = 0;
        }
        return {reader.error(), reader.tooLongRecordOffset()};
    }

private:
    static bool filter(const void *context, const FieldParser::FilterText &text)
    {
        // The reader keeps the context constant; this object is its own.
        auto &self = *const_cast<EveryLine *>(static_cast<const EveryLine *>(context));
        self.handStored();
        if (text.oneField)
            return !self.m_handler.takeAsIs(text);
        if (!text.bytes.empty() && text.bytes.front() == ' ')
            return true;
        const TextMarks marks = markText(text.bytes);
        if (marks.separators)
            return true;
        return !self.m_handler.takeAsIs(FieldParser::FilterText{text.bytes, true, marks.highBytes, false});
    }

    void handStored()
    {
        for (; m_handed < m_slice.count(); ++m_handed)
            m_handler.line(m_slice.utf8At(m_handed));
    }

    Handler &m_handler;
    LineStore m_slice;
    qsizetype m_handed = 0; // lines of the slice handed over
};

// EveryLine over a catalog cut into pieces that several threads read at
// once: each piece's lines go to a handler of its own, and merge(handler)
// is then called for each piece in file order on the calling thread. For
// handlers whose findings add up (counts, names met). Handlers are made by
// make() and, once merged, emptied with their clear() and used again, so
// that the pieces fill memory already touched.
template <typename Handler>
class EveryLineInPieces : private CatalogPieceWork
{
public:
    using Make = std::function<std::unique_ptr<Handler>()>;
    using Merge = std::function<void(Handler &)>;
    EveryLineInPieces(Make make, Merge merge) : m_make(std::move(make)), m_merge(std::move(merge)) {}

    // By default a thread reads at most four pieces ahead of the last one
    // merged.
    RuntimeError read(const QString &path, CatalogPieceOptions options = {})
    {
        if (options.ahead == 0)
            options.ahead = 4;
        return runCatalogPieces(path, *this, options);
    }

private:
    void begin(std::size_t pieces, int threads) override
    {
        m_handlers.clear();
        m_handlers.resize(pieces);
        m_buffers.resize(std::size_t(threads));
    }
    Outcome read(const QFileDevice &file, std::size_t piece, qint64 begin, qint64 end, int thread,
                 const std::atomic<bool> &stop) override
    {
        std::unique_ptr<Handler> handler;
        {
            const std::lock_guard lock(m_spareMutex);
            if (!m_spare.empty()) {
                handler = std::move(m_spare.back());
                m_spare.pop_back();
            }
        }
        if (!handler)
            handler = m_make();
        const Outcome outcome
            = EveryLine<Handler>(*handler).readPiece(file, begin, end, m_buffers[std::size_t(thread)], stop);
        m_handlers[piece] = std::move(handler);
        return outcome;
    }
    bool handOn(std::size_t piece) override
    {
        std::unique_ptr<Handler> handler = std::move(m_handlers[piece]);
        m_merge(*handler);
        handler->clear();
        const std::lock_guard lock(m_spareMutex);
        m_spare.push_back(std::move(handler));
        return true;
    }

    Make m_make;
    Merge m_merge;
    std::vector<std::unique_ptr<Handler>> m_handlers; // one a piece
    std::vector<std::vector<char>> m_buffers;         // one a thread
    std::vector<std::unique_ptr<Handler>> m_spare;    // merged and emptied
    std::mutex m_spareMutex;
};

} // namespace kobrix::cli
