#include "ui/PrintPreview.h"

#include <QPrintPreviewDialog>
#include <QGuiApplication>
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
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter *shown) { paint(*shown); });
    dialog.exec();
}

} // namespace kobrix
