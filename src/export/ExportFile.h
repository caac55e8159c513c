#pragma once

#include "export/CatalogExport.h"

#include <QString>

#include <optional>

namespace kobrix {

// The format an export file's name asks for, by its extension: .csv, .html
// or .htm, .pdf (in any case); nothing for another or no extension.
std::optional<ExportFormat> exportFormatOfPath(const QString &path);

struct ExportFileResult
{
    ExportResult result = ExportResult::WriteFailed;
    QString reason; // why writing failed (the system's words)
};

// Writes content in format to the file at path, through a temporary file
// that replaces it once complete: a failed or cancelled export leaves no
// half file, and a file of that name as it was.
ExportFileResult writeExportFile(const QString &path, ExportFormat format,
                                 const ExportContent &content, const ExportOptions &options);

} // namespace kobrix
