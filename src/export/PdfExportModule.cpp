// The module that kobrix-cli loads for a PDF export: the listing painter
// behind a plain C entry point. The command line runs without an application
// object; painting text needs a graphical one, made here for the time of the
// export: on Qt's offscreen platform (no display needed), or on Windows on
// Windows' own, which needs no window either and finds the system's fonts
// (the offscreen one looks for fonts in a folder of Qt's own, empty there).

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
#ifdef Q_OS_WIN
        static char platform[] = "windows";
#else
        static char platform[] = "offscreen";
#endif
        static char name[] = "kobrix-cli", option[] = "-platform";
        static char *argv[] = {name, option, platform, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    call->result = kobrix::writePdf(*call->content, *call->out, *call->options);
    return 0;
}
