#pragma once

#include "catalog/CatalogFormat.h"
#include "core/RuntimeError.h"

#include <QtGlobal>

#include <vector>

class QFileDevice;

namespace kobrix {

class LineStore;

// Where an open catalog file of size bytes can be cut into pieces that
// threads read at once: at line starts only (a record never spans a line
// end), about pieceBytes apart. Returns the bounds in increasing order, the
// first 0 and the last size; piece i is [bounds[i], bounds[i + 1]). A place
// whose line runs on beyond kMaxRecordBytes is no bound: the piece that
// holds that line reports it. Fails with the system's error of a read.
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

} // namespace kobrix
