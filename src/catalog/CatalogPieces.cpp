#include "catalog/CatalogPieces.h"

#include "catalog/CatalogFileSystem.h"
#include "core/LineStore.h"

#include <QFileDevice>

#include <algorithm>

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

constexpr std::size_t kBoundReadBytes = 1 << 16;
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

} // namespace kobrix
