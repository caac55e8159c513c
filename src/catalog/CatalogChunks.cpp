#include "catalog/CatalogChunks.h"

#include "catalog/CatalogFormat.h"

#include <QIODevice>

#include <cerrno>
#include <cstring>

namespace kobrix {

CatalogChunkReader::CatalogChunkReader(QIODevice &device, std::size_t chunkBytes)
    : m_device(device), m_chunkBytes(chunkBytes)
{
}

bool CatalogChunkReader::next(std::string_view &run)
{
    if (m_error)
        return false;
    // The unfinished line behind the last run moves to the front.
    m_kept = m_filled - m_handed;
    if (m_kept > 0 && m_handed > 0)
        std::memmove(m_buffer.data(), m_buffer.data() + m_handed, m_kept);
    m_filled = m_kept;
    m_handed = 0;
    for (;;) {
        if (!m_atEnd) {
            if (m_buffer.size() < m_filled + m_chunkBytes)
                m_buffer.resize(m_filled + m_chunkBytes);
            errno = 0;
            const qint64 n = m_device.read(m_buffer.data() + m_filled, qint64(m_chunkBytes));
            if (n < 0) {
                m_error = RuntimeError::fromErrno(errno ? errno : EIO);
                return false;
            }
            if (n == 0)
                m_atEnd = true;
            m_filled += std::size_t(n);
        }
        // The run ends behind the last line end that is surely whole: a CR
        // as the very last byte may still have its LF in the next chunk.
        std::size_t cut = 0;
        if (m_atEnd || (m_filled > 0 && m_buffer[m_filled - 1] == '\n')) {
            cut = m_filled;
        } else {
            for (std::size_t i = m_filled - 1; i-- > 0;) { // from the last byte but one
                if (m_buffer[i] == '\n' || m_buffer[i] == '\r') {
                    cut = i + 1;
                    break;
                }
            }
        }
        if (cut > 0) {
            run = std::string_view(m_buffer.data(), cut);
            m_handed = cut;
            m_runOffset = m_nextOffset;
            m_nextOffset += qint64(cut);
            return true;
        }
        if (m_atEnd)
            return false;
        // No line end yet: a longer line than any record may be is no
        // catalog's, and is not read into memory whole.
        if (m_filled > kMaxRecordBytes + 2) {
            m_error = RuntimeError(BadRecordLength);
            return false;
        }
    }
}

std::size_t byteOrderMarkLength(std::string_view bytes)
{
    return bytes.substr(0, 3) == std::string_view("\xEF\xBB\xBF", 3) ? 3 : 0;
}

std::size_t lineEndAt(std::string_view text, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r')
            return i;
    }
    return text.size();
}

std::size_t lineStartAt(std::string_view text, std::size_t at)
{
    while (at > 0 && text[at - 1] != '\n' && text[at - 1] != '\r')
        --at;
    return at;
}

std::size_t lineEndLength(std::string_view text, std::size_t lineEnd)
{
    if (lineEnd >= text.size())
        return 0;
    if (text[lineEnd] == '\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n')
        return 2;
    return 1;
}

} // namespace kobrix
