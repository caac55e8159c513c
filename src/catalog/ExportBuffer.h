#pragma once

#include "catalog/CatalogExport.h"

#include <QIODevice>

#include <string>
#include <string_view>

namespace kobrix {

// The output of a text export: bytes gathered in a buffer of a fixed size
// and handed to the device whenever it fills, so that an export of any size
// holds no more than that in memory. Counts the lines written and asks the
// caller's progress function now and then whether to go on.
class ExportBuffer
{
public:
    ExportBuffer(QIODevice &out, const ExportOptions &options, qsizetype total)
        : m_out(out), m_options(options), m_total(total)
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
