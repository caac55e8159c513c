#include "export/ExportFile.h"

#include "export/ListingPainter.h"

#include <QFileInfo>
#include <QSaveFile>

namespace kobrix {

std::optional<ExportFormat> exportFormatOfPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv"))
        return ExportFormat::Csv;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return ExportFormat::Html;
    if (suffix == QLatin1String("pdf"))
        return ExportFormat::Pdf;
    return std::nullopt;
}

ExportFileResult writeExportFile(const QString &path, ExportFormat format,
                                 const ExportContent &content, const ExportOptions &options)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return {ExportResult::WriteFailed, out.errorString()};
    ExportResult result = ExportResult::WriteFailed;
    switch (format) {
    case ExportFormat::Csv: result = writeCsv(content, out, options); break;
    case ExportFormat::Html: result = writeHtml(content, out, options); break;
    case ExportFormat::Pdf: result = writePdf(content, out, options); break;
    }
    if (result != ExportResult::Written) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return {result, result == ExportResult::WriteFailed ? reason : QString()};
    }
    if (!out.commit())
        return {ExportResult::WriteFailed, out.errorString()};
    return {ExportResult::Written, QString()};
}

} // namespace kobrix
