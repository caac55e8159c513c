#pragma once

#include "catalog/CatalogFormat.h"
#include "core/RuntimeError.h"

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <vector>

class QFileDevice;

namespace kobrix {

class LineStore;

// Where an open catalog file of size bytes can be cut into pieces that
// threads read at once: at line starts only (a record never spans a line
// end), about pieceBytes apart. Returns the bounds in increasing order, the
// first 0 and the last size; piece i is [bounds[i], bounds[i + 1]). At a
// place whose line runs on beyond kMaxRecordBytes the cutting stops: the
// rest is one piece, whose reading stops at that line. Fails with the
// system's error of a read.
std::vector<qint64> catalogPieceBounds(const QFileDevice &file, qint64 size, qint64 pieceBytes,
                                       RuntimeError &error);

// Reads the lines of one piece of an open catalog file into a store, a
// chunk at a time, as CatalogReader reads a whole file: the same fields,
// the same filter. Reads by offset, so that readers of other pieces may
// read the same file at once.
class CatalogPieceReader
{
public:
    // The piece [begin, end): begin a line start (see catalogPieceBounds).
    // buffer is the chunk buffer (kept by the caller from piece to piece).
    CatalogPieceReader(const QFileDevice &file, qint64 begin, qint64 end, LineStore &out,
                       std::vector<char> &buffer);

    // Passes lines over unread (see FieldParser::setLineFilter).
    void setLineFilter(FieldParser::LineFilter filter, const void *context,
                       FieldParser::SkipTo skip, FieldParser::SkipRule rule)
    {
        m_parser.setLineFilter(filter, context, skip, rule);
    }

    // Reads and parses one chunk, appending its lines to the store. Returns
    // true when the piece is over (read whole or failed: see error()).
    bool readChunk();
    // The system's error of a read, or 59 (without a record number) at a
    // record longer than kMaxRecordBytes; the store keeps the lines read
    // before it.
    const RuntimeError &error() const { return m_error; }
    // Where the record too long starts in the file (59), else -1.
    qint64 tooLongRecordOffset() const { return m_tooLongOffset; }

private:
    const QFileDevice &m_file;
    qint64 m_begin;
    qint64 m_next;
    qint64 m_end;
    std::vector<char> &m_buffer;
    FieldParser m_parser;
    RuntimeError m_error;
    qint64 m_tooLongOffset = -1;
    bool m_over = false;
};

// Work on a catalog file in pieces (see runCatalogPieces): each piece is
// read on one of several threads, then handed on, in file order, on the
// thread that called.
class CatalogPieceWork
{
public:
    virtual ~CatalogPieceWork() = default;

    // Before the first piece, on the calling thread: how many pieces there
    // are and how many threads read them (numbered from 0).
    virtual void begin(std::size_t pieces, int threads) = 0;

    struct Outcome
    {
        RuntimeError error; // the piece's reading failed: nothing after it counts
        qint64 tooLongOffset = -1; // where a record too long starts (59)
    };
    // Reads piece [begin, end) of file (typically with a CatalogPieceReader)
    // on thread number `thread`; may stop early once stop is set, as what
    // it found is then not asked for.
    virtual Outcome read(const QFileDevice &file, std::size_t piece, qint64 begin, qint64 end,
                         int thread, const std::atomic<bool> &stop) = 0;

    // The piece read, on the calling thread, in file order; false stops the
    // work (without error), std::bad_alloc stops it with error 7.
    virtual bool handOn(std::size_t piece) = 0;
};

// How runCatalogPieces cuts and shares its work.
struct CatalogPieceOptions
{
    qint64 pieceBytes = qint64(4) << 20;
    // 0: as many as the processor runs at once, at most 4. A file of one
    // piece is read on the calling thread alone.
    int threads = 0;
    // How many pieces beyond the last handed on a thread may read ahead
    // (what they found waits in memory); 0 for no bound.
    std::size_t ahead = 0;
};

// Opens the catalog file at path as CatalogReader does (the catalog slot,
// the shared lock, a change left unfinished put back) and runs work over its
// pieces. Fails as CatalogReader does: on the open, with the first failed
// piece's error, and with 59 naming the first record that is too long; the
// pieces before a failure, and the failed one, are handed on first.
RuntimeError runCatalogPieces(const QString &path, CatalogPieceWork &work,
                              const CatalogPieceOptions &options = {});

} // namespace kobrix
