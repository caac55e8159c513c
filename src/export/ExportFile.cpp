#include "export/ExportFile.h"

#include "export/ListingPainter.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

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
    // Written straight through to the system, so that a full disk is met
    // by the write it stops and reported by its number (61), as catalog
    // writes report it.
    QSaveFile out(path);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {ExportResult::WriteFailed, ExportTargetDevice::systemFailureReason(out)};
    ExportTargetDevice device(out);
    ExportResult result = ExportResult::WriteFailed;
    switch (format) {
    case ExportFormat::Csv: result = writeCsv(content, device, options); break;
    case ExportFormat::Html: result = writeHtml(content, device, options); break;
    case ExportFormat::Pdf: result = writePdf(content, device, options); break;
    }
    if (result != ExportResult::Written) {
        const QString reason = device.failureReason();
        out.cancelWriting();
        return {result, result == ExportResult::WriteFailed ? reason : QString()};
    }
    errno = 0;
    if (!out.commit())
        return {ExportResult::WriteFailed, ExportTargetDevice::systemFailureReason(out)};
    return {ExportResult::Written, QString()};
}

} // namespace kobrix
