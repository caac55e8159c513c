// The CSV export (RFC 4180), which spreadsheet programs open directly.

#include "export/CatalogExport.h"
#include "export/ExportBuffer.h"
#include "core/DiscLine.h"

#include <string>

namespace kobrix {

namespace {

// How cells are written: exactly, or guarded against formulas (see writeCsv).
enum class Cells { Guarded, Raw };

bool needsQuotes(std::string_view field, Cells cells)
{
    return cells == Cells::Raw ? exportscan::containsAnyOf(field, ",\"\r\n")
                               : exportscan::containsAnyOf(field, ",\"\r\n;");
}

// Whether a spreadsheet would take the cell for a formula.
bool looksLikeFormula(std::string_view field)
{
    if (field.empty())
        return false;
    switch (field.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r': return true;
    default: return false;
    }
}

void appendField(std::string &out, std::string_view field, Cells cells)
{
    const bool formula = cells == Cells::Guarded && looksLikeFormula(field);
    if (!formula && !needsQuotes(field, cells)) {
        out.append(field);
        return;
    }
    out.push_back('"');
    if (formula)
        out.push_back('\'');
    for (std::size_t quote; (quote = field.find('"')) != std::string_view::npos;) {
        out.append(field.substr(0, quote + 1));
        out.push_back('"');
        field.remove_prefix(quote + 1);
    }
    out.append(field);
    out.push_back('"');
}

Cells cellsOf(const ExportOptions &options)
{
    return options.rawCsv ? Cells::Raw : Cells::Guarded;
}

// The byte-order mark tells spreadsheet programs that the text is UTF-8.
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kHeader = "Disc,Folder,File";

// discField and catalogField are written already (once per disc); an empty
// catalogField is no column.
void appendRow(std::string &row, std::string_view discField, const ExportContent::Entry &entry,
               Cells cells, std::string_view catalogField = {})
{
    row.append(discField);
    row.push_back(',');
    appendField(row, entry.folder, cells);
    row.push_back(',');
    appendField(row, entry.file, cells);
    if (!catalogField.empty()) {
        row.push_back(',');
        row.append(catalogField);
    }
    row.append("\r\n");
}

std::string_view utf8View(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), std::size_t(bytes.size()));
}

} // namespace

CsvLineWriter::CsvLineWriter(QIODevice &out, const ExportOptions &options, qsizetype total)
    : m_buffer(std::make_unique<ExportBuffer>(out, options, total))
    , m_raw(options.rawCsv)
{
    m_buffer->append(kBom);
    m_buffer->append(kHeader);
    m_buffer->append("\r\n");
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
        appendField(m_discField, split.disc, m_raw ? Cells::Raw : Cells::Guarded);
    }
    const ExportContent::Entry entry = m_hasDisc
                                           ? splitFolderAndFile(line.substr(m_discName.size() + 3))
                                           : ExportContent::Entry{{}, line};
    appendRow(m_buffer->buffer(), m_discField, entry, m_raw ? Cells::Raw : Cells::Guarded);
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
    const Cells cells = cellsOf(options);
    const bool catalogs = content.namesCatalogs();
    ExportBuffer buffer(out, options, content.lineCount());
    buffer.append(kBom);
    buffer.append(kHeader);
    if (catalogs)
        buffer.append(",Catalog");
    buffer.append("\r\n");
    for (qsizetype i = 0; i < content.discCount(); ++i) {
        const ExportContent::Disc &disc = content.disc(i);
        const QByteArray name = disc.looseLines ? QByteArray() : disc.name.toUtf8();
        // The disc's fields once, not once a line.
        std::string discField;
        appendField(discField, utf8View(name), cells);
        std::string catalogField;
        if (catalogs) {
            appendField(catalogField, utf8View(disc.catalog.toUtf8()), cells);
            if (catalogField.empty())
                catalogField = "\"\""; // still a column
        }
        for (const qint32 line : content.linesOf(i)) {
            appendRow(buffer.buffer(), discField, content.entry(disc, line), cells, catalogField);
            if (!buffer.lineDone())
                return buffer.result();
        }
    }
    return buffer.finish();
}

} // namespace kobrix
