#include "ui/common/PrintPreview.h"

#include "export/PdfTextLayer.h"

#include <QPrintPreviewDialog>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPrinter>
#include <QScreen>

#include <algorithm>

namespace kobrix {

void QtPrintPreviewService::preview(QWidget *parent, const QString &documentName,
                                    const QPageLayout &layout, const PaintPages &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    printer.setPageLayout(layout);
    QPrintPreviewDialog dialog(&printer, parent);
    // Large enough that a whole page of small print can be read: most of
    // the screen's height, a little wider than a page.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QSize room = screen->availableGeometry().size();
        dialog.resize(std::min(room.width() * 9 / 10, room.height() * 9 / 10),
                      room.height() * 9 / 10);
    }
    // The print dialog gives the printer the paper it lists or its default
    // (Letter or A4) in place of a page it does not know, such as a CD
    // booklet's: printing puts the pages on the page last previewed.
    QPageLayout shownLayout = layout;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter *printer) {
                         const QPaintEngine *engine = printer->paintEngine();
                         if (engine && engine->type() == QPaintEngine::Picture) { // the preview
                             shownLayout = printer->pageLayout();
                             paint(*printer);
                             return;
                         }
                         printer->setPageLayout(shownLayout);
                         if (printer->outputFormat() != QPrinter::PdfFormat
                             || printer->outputFileName().isEmpty()) {
                             paint(*printer);
                             return;
                         }
                         // Print to File: a PDF whose text gives back the names.
                         ListingPdfWriter file(printer->outputFileName());
                         file.setPageLayout(shownLayout);
                         file.setResolution(printer->resolution());
                         file.setTitle(documentName);
                         file.setCreator(printer->creator());
                         paint(file);
                         file.finish();
                     });
    dialog.exec();
}

} // namespace kobrix
