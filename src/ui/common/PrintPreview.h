#pragma once

#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace kobrix {

// Pages shown before they are printed. The window hands over how to paint
// them; the service shows them on the page layout given, lets the user
// print them, and returns when the preview is closed. The real one is
// Qt's print preview; tests paint the pages into a PDF file instead.
class PrintPreviewService
{
public:
    // Paints every page onto device (a printer, or a PDF writer), called
    // as often as the pages are needed again.
    using PaintPages = std::function<void(QPagedPaintDevice &device)>;

    virtual ~PrintPreviewService() = default;
    virtual void preview(QWidget *parent, const QString &documentName, const QPageLayout &layout,
                         const PaintPages &paint) = 0;
};

// QPrintPreviewDialog over a printer set to the page layout given. Built
// only where Qt has its print support.
class QtPrintPreviewService : public PrintPreviewService
{
public:
    void preview(QWidget *parent, const QString &documentName, const QPageLayout &layout,
                 const PaintPages &paint) override;
};

} // namespace kobrix
