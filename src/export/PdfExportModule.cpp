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

#ifdef __GLIBC__
#include <malloc.h>
#endif

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
#ifdef __GLIBC__
    // Qt's writer gathers each page in a buffer that grows to a few hundred
    // kilobytes and is freed when the page is done. By default the C library
    // hands such memory back to the system and asks for it again on the next
    // page: a page fault for every 4 KB, a quarter of the time of a large
    // export. kobrix-cli ends after the export, so it keeps the memory.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_TOP_PAD, 16 << 20);
#endif
    call->result = kobrix::writePdf(*call->content, *call->out, *call->options);
    return 0;
}
