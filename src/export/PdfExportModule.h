#pragma once

// The PDF export as a module that kobrix-cli loads only when a PDF is asked
// for, so that its other commands start without Qt's graphics library. This
// header names what both sides agree on and includes nothing graphical.

#include "export/CatalogExport.h"

class QIODevice;

namespace kobrix {

// Raised whenever PdfExportCall changes shape, so that a module of another
// build is refused instead of misread.
inline constexpr int kPdfExportModuleVersion = 1;

// The file name without prefix or suffix, and the plain C entry point.
inline constexpr char kPdfExportModuleName[] = "kobrix-pdf-export";
inline constexpr char kPdfExportEntryName[] = "kobrix_export_pdf";

struct PdfExportCall
{
    int version = kPdfExportModuleVersion; // the caller's
    const ExportContent *content = nullptr;
    QIODevice *out = nullptr;
    const ExportOptions *options = nullptr;
    ExportResult result = ExportResult::WriteFailed; // set by the module
};

// The entry point: returns 0 after setting call->result, or the module's own
// version when it differs from the caller's (nothing done then).
using PdfExportEntry = int (*)(PdfExportCall *call);

} // namespace kobrix
