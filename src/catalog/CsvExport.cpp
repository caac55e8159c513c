// The CSV export (RFC 4180), which spreadsheet programs open directly.

#include "catalog/CatalogExport.h"
#include "catalog/ExportBuffer.h"
#include "core/DiscLine.h"

#include <string>

namespace kobrix {

namespace {

bool needsQuotes(std::string_view field)
{
    return exportscan::containsAnyOf(field, ",\"\r\n");
}

void appendField(std::string &out, std::string_view field)
{
    if (!needsQuotes(field)) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (std::size_t quote; (quote = field.find('"')) != std::string_view::npos;) {
        out.append(field.substr(0, quote + 1));
        out.push_back('"');
        field.remove_prefix(quote + 1);
    }
    out.append(field);
    out.push_back('"');
}

// The byte-order mark tells spreadsheet programs that the text is UTF-8.
constexpr std::string_view kBomAndHeader = "\xEF\xBB\xBF"
                                           "Disc,Folder,File\r\n";

void appendRow(std::string &row, std::string_view discField, const ExportContent::Entry &entry)
{
    row.append(discField);
    row.push_back(',');
    appendField(row, entry.folder);
    row.push_back(',');
    appendField(row, entry.file);
    row.append("\r\n");
}

} // namespace

CsvLineWriter::CsvLineWriter(QIODevice &out, const ExportOptions &options, qsizetype total)
    : m_buffer(std::make_unique<ExportBuffer>(out, options, total))
{
    m_buffer->append(kBomAndHeader);
}

CsvLineWriter::~CsvLineWriter() = default;

bool CsvLineWriter::add(std::string_view line)
{
    // Lines of one disc follow one another: the disc's field is made once.
    const std::size_t n = m_discName.size();
    if (!m_hasDisc || line.size() < n + 4 || line.compare(n, 4, " - \\") != 0
        || line.compare(0, n, m_discName) != 0) {
        const DiscLineUtf8 split = splitDiscLine(line);
        m_hasDisc = split.hasDisc;
        m_discName.assign(split.disc);
        m_discField.clear();
        appendField(m_discField, split.disc);
    }
    const ExportContent::Entry entry = m_hasDisc
                                           ? splitFolderAndFile(line.substr(m_discName.size() + 3))
                                           : ExportContent::Entry{{}, line};
    appendRow(m_buffer->buffer(), m_discField, entry);
    return m_buffer->lineDone();
}

bool CsvLineWriter::addAll(const LineStore &lines)
{
    for (qsizetype i = 0; i < lines.count(); ++i) {
        if (!add(lines.utf8At(i)))
            return false;
    }
    return true;
}

ExportResult CsvLineWriter::finish()
{
    return m_buffer->finish();
}

ExportResult writeCsv(const LineStore &lines, QIODevice &out, const ExportOptions &options)
{
    CsvLineWriter writer(out, options, lines.count());
    writer.addAll(lines);
    return writer.finish();
}

ExportResult writeCsv(const ExportContent &content, QIODevice &out, const ExportOptions &options)
{
    ExportBuffer buffer(out, options, content.lineCount());
    buffer.append(kBomAndHeader);
    for (qsizetype i = 0; i < content.discCount(); ++i) {
        const ExportContent::Disc &disc = content.disc(i);
        const QByteArray name = disc.looseLines ? QByteArray() : disc.name.toUtf8();
        // The disc's field once, not once a line.
        std::string discField;
        appendField(discField, std::string_view(name.constData(), std::size_t(name.size())));
        for (const qint32 line : content.linesOf(i)) {
            appendRow(buffer.buffer(), discField, content.entry(disc, line));
            if (!buffer.lineDone())
                return buffer.result();
        }
    }
    return buffer.finish();
}

} // namespace kobrix
