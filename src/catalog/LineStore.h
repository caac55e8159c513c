#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <string_view>
#include <vector>

namespace kobrix {

// True when every byte is < 0x80.
bool isAscii(std::string_view bytes);

// The lines of a disc listing or of a loaded catalog, held compactly: every
// line is stored as UTF-8 in one buffer, each followed by '\n', and a table of
// offsets gives its start. Millions of lines cost little more than their text,
// and the search can run over the buffer as one block of bytes.
//
// Lines never contain '\n' or '\r': the catalog reader splits on them and the
// walk replaces control characters in names.
class LineStore
{
public:
    LineStore();

    void clear();
    void reserve(std::size_t bytes, std::size_t lines);

    void append(QStringView line);
    void appendUtf8(std::string_view utf8) { appendUtf8(utf8, isAscii(utf8)); }
    // For callers that already know whether the line is all ASCII.
    void appendUtf8(std::string_view utf8, bool ascii);

    qsizetype count() const { return qsizetype(m_offsets.size()) - 1; }
    bool isEmpty() const { return count() == 0; }

    QString at(qsizetype index) const;
    std::string_view utf8At(qsizetype index) const
    {
        const auto begin = m_offsets[std::size_t(index)];
        const auto end = m_offsets[std::size_t(index) + 1] - 1; // drop the '\n'
        return std::string_view(m_bytes.data() + begin, std::size_t(end - begin));
    }

    // The whole buffer: line i spans [lineStart(i), lineStart(i + 1) - 1).
    const char *bytes() const { return m_bytes.data(); }
    std::int64_t lineStart(qsizetype index) const { return m_offsets[std::size_t(index)]; }
    // Index of the line that holds byte position pos of the buffer.
    qsizetype lineAtByte(std::int64_t pos) const;

    // Lines holding bytes >= 0x80, in ascending order: the search checks
    // them by full Unicode rules and all others with an ASCII fast path.
    const std::vector<qsizetype> &nonAsciiLines() const { return m_nonAscii; }

    // Bytes of text held, '\n' terminators included.
    std::size_t byteSize() const { return m_bytes.size(); }
    std::size_t memoryBytes() const;

private:
    std::vector<char> m_bytes;
    std::vector<std::int64_t> m_offsets; // count() + 1 entries; the last is the end
    std::vector<qsizetype> m_nonAscii;
};

} // namespace kobrix
