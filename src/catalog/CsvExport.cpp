// The CSV export (RFC 4180), which spreadsheet programs open directly.

#include "catalog/CatalogExport.h"
#include "catalog/ExportBuffer.h"

#include <string>

namespace kobrix {

namespace {

bool needsQuotes(std::string_view field)
{
    for (const char c : field) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return true;
    }
    return false;
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

} // namespace

ExportResult writeCsv(const ExportContent &content, QIODevice &out, const ExportOptions &options)
{
    ExportBuffer buffer(out, options, content.lineCount());
    // The byte-order mark tells spreadsheet programs that the text is UTF-8.
    buffer.append("\xEF\xBB\xBF" "Disc,Folder,File\r\n");
    for (qsizetype i = 0; i < content.discCount(); ++i) {
        const ExportContent::Disc &disc = content.disc(i);
        const QByteArray name = disc.name.toUtf8();
        // The disc's field once, not once a line.
        std::string discField;
        appendField(discField, std::string_view(name.constData(), std::size_t(name.size())));
        for (const qint32 line : content.linesOf(i)) {
            const ExportContent::Entry entry = content.entry(disc, line);
            std::string &row = buffer.buffer();
            row.append(discField);
            row.push_back(',');
            appendField(row, entry.folder);
            row.push_back(',');
            appendField(row, entry.file);
            row.append("\r\n");
            if (!buffer.lineDone())
                return buffer.result();
        }
    }
    return buffer.finish();
}

} // namespace kobrix
