// The module that kobrix-cli loads for a PDF export: the listing painter
// behind a plain C entry point. The command line runs without an application
// object; painting text needs a graphical one, made here on Qt's offscreen
// platform (no display needed) for the time of the export.

#include "export/PdfExportModule.h"

#include "export/ListingPainter.h"

#include <QGuiApplication>

#include <memory>

extern "C" Q_DECL_EXPORT int kobrix_export_pdf(kobrix::PdfExportCall *call)
{
    if (!call || call->version != kobrix::kPdfExportModuleVersion)
        return kobrix::kPdfExportModuleVersion;
    std::unique_ptr<QGuiApplication> application;
    if (!QCoreApplication::instance()) {
        static int argc = 3;
        static char name[] = "kobrix-cli", option[] = "-platform", platform[] = "offscreen";
        static char *argv[] = {name, option, platform, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    call->result = kobrix::writePdf(*call->content, *call->out, *call->options);
    return 0;
}
