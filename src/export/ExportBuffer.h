#pragma once

#include "export/CatalogExport.h"

#include <QIODevice>

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kobrix {

// Byte scans eight bytes at a time: the exports look at every byte of
// millions of names for the few characters that need quoting or escaping.
namespace exportscan {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;

// 0x80 in each byte of word that equals c, 0 in the others (exactly).
inline std::uint64_t bytesEqual(std::uint64_t word, unsigned char c)
{
    const std::uint64_t x = word ^ (kOnes * c);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// Whether text holds any of the characters of set (at most a few).
template <std::size_t N> bool containsAnyOf(std::string_view text, const char (&set)[N])
{
    const char *p = text.data();
    std::size_t n = text.size();
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        std::uint64_t hit = 0;
        for (std::size_t i = 0; i + 1 < N; ++i)
            hit |= bytesEqual(word, static_cast<unsigned char>(set[i]));
        if (hit)
            return true;
    }
    for (; n > 0; ++p, --n) {
        for (std::size_t i = 0; i + 1 < N; ++i) {
            if (*p == set[i])
                return true;
        }
    }
    return false;
}

// Where the last c in text stands; npos when none.
inline std::size_t findLast(std::string_view text, char c)
{
    std::size_t n = text.size();
    while (n >= 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + n - 8, 8);
        if (const std::uint64_t hit = bytesEqual(word, static_cast<unsigned char>(c))) {
            // The highest marked byte is the last in memory (little-endian
            // order read as a number; big-endian systems take the slow path).
            if constexpr (std::endian::native == std::endian::little)
                return n - 8 + std::size_t(63 - std::countl_zero(hit)) / 8;
            break;
        }
        n -= 8;
    }
    while (n > 0) {
        if (text[--n] == c)
            return n;
    }
    return std::string_view::npos;
}

} // namespace exportscan

// A line's path split at its last backslash (see ExportContent::Entry).
inline ExportContent::Entry splitFolderAndFile(std::string_view path)
{
    const std::size_t slash = exportscan::findLast(path, '\\');
    if (slash == std::string_view::npos)
        return {{}, path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// The output of a text export: bytes gathered in a buffer of a fixed size
// and handed to the device whenever it fills, so that an export of any size
// holds no more than that in memory. Counts the lines written and asks the
// caller's progress function now and then whether to go on.
class ExportBuffer
{
public:
    ExportBuffer(QIODevice &out, const ExportOptions &options, qsizetype total)
        : m_out(out)
        , m_options(options)
        , m_total(total)
    {
        m_buffer.reserve(kSize + 4096);
    }

    void append(std::string_view text) { m_buffer.append(text); }
    void append(char c) { m_buffer.push_back(c); }
    std::string &buffer() { return m_buffer; }

    // Called after each line: writes when the buffer is full. False when
    // writing failed or the caller cancelled.
    bool lineDone()
    {
        ++m_written;
        if (m_buffer.size() >= kSize && !flush())
            return false;
        if (m_options.progress && m_written % kProgressEvery == 0
            && !m_options.progress(m_written, m_total)) {
            m_result = ExportResult::Cancelled;
            return false;
        }
        return true;
    }

    bool flush()
    {
        if (m_buffer.empty())
            return true;
        if (m_out.write(m_buffer.data(), qint64(m_buffer.size())) != qint64(m_buffer.size())) {
            m_result = ExportResult::WriteFailed;
            return false;
        }
        m_buffer.clear();
        return true;
    }

    // Writes what is left; the result of the whole export.
    ExportResult finish()
    {
        if (m_result == ExportResult::Written && flush() && m_options.progress)
            m_options.progress(m_written, m_total);
        return m_result;
    }
    // The result after a failed lineDone() or flush().
    ExportResult result() const { return m_result; }

private:
    static constexpr std::size_t kSize = 1 << 18;
    static constexpr qsizetype kProgressEvery = 4096;

    QIODevice &m_out;
    const ExportOptions &m_options;
    qsizetype m_total;
    qsizetype m_written = 0;
    std::string m_buffer;
    ExportResult m_result = ExportResult::Written;
};

} // namespace kobrix
