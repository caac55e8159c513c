#pragma once

#include "core/RuntimeError.h"

#include <QtGlobal>

#include <string_view>
#include <vector>

class QIODevice;

namespace kobrix {

// Reads a catalog in large chunks and hands it over as runs of whole lines:
// every run starts at the start of a line and ends behind a line end (CR LF,
// LF or CR), the last one perhaps at the end of the file instead, so no line
// is ever cut between two runs. Code that looks at a few lines of a large
// catalog (the lines of one disc) searches whole runs at once and never
// holds more of the file than a chunk and one line.
//
// A UTF-8 byte-order mark at the very start of the file is the first run's
// first three bytes; byteOrderMarkLength() tells callers that read the first
// line's fields to pass it over, as the catalog reader does.
class CatalogChunkReader
{
public:
    explicit CatalogChunkReader(QIODevice &device, std::size_t chunkBytes = std::size_t(1) << 20);

    // The next run, or false at the end of the file and after a failure
    // (error() tells which). The run stays valid until the next call.
    bool next(std::string_view &run);
    // Where the last run handed over starts in the file.
    qint64 runOffset() const { return m_runOffset; }
    // Where the bytes not handed over yet start: after a 59, the line too long.
    qint64 nextOffset() const { return m_nextOffset; }
    // Fails with the system's error of a read, or with 59 when a line runs
    // on beyond kMaxRecordBytes without a line end.
    const RuntimeError &error() const { return m_error; }

private:
    QIODevice &m_device;
    std::size_t m_chunkBytes;
    std::vector<char> m_buffer;
    std::size_t m_kept = 0;     // bytes at the buffer's start: an unfinished line
    std::size_t m_handed = 0;   // bytes of the last run, to be dropped before the next
    std::size_t m_filled = 0;   // bytes in the buffer
    qint64 m_runOffset = 0;
    qint64 m_nextOffset = 0;
    bool m_atEnd = false;
    RuntimeError m_error;
};

// 3 when bytes (a catalog's first bytes) start with a UTF-8 byte-order
// mark, else 0.
std::size_t byteOrderMarkLength(std::string_view bytes);

// The end of the line that starts at or before from: the first CR or LF at
// or after from, or text.size().
std::size_t lineEndAt(std::string_view text, std::size_t from);
// The start of the line holding position at: behind the last CR or LF
// before it, or 0.
std::size_t lineStartAt(std::string_view text, std::size_t at);
// The bytes of the line end at lineEnd (0 at the end of the text, 2 for CR
// LF, 1 for a lone CR or LF).
std::size_t lineEndLength(std::string_view text, std::size_t lineEnd);

} // namespace kobrix
