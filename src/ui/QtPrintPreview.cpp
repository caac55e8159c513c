#include "ui/PrintPreview.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace kobrix {

void QtPrintPreviewService::preview(QWidget *parent, const QString &documentName,
                                    const QPageLayout &layout, const PaintPages &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    printer.setPageLayout(layout);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter *shown) { paint(*shown); });
    dialog.exec();
}

} // namespace kobrix
