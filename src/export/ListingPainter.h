#pragma once

#include "export/CatalogExport.h"

#include <QPageLayout>

class QPagedPaintDevice;

namespace kobrix {

// How a printed listing looks.
struct ListingStyle
{
    qreal fontPointSize = 8;     // folders and files
    qreal headingPointSize = 11; // the disc's name
    // Columns of files side by side: 0 for as many as the page holds with
    // at least minColumnWidthMm each (two on A4 or Letter, one on a booklet
    // page that fits a CD case).
    int columns = 0;
    qreal minColumnWidthMm = 70;
    // Each disc begins on a page of its own (a booklet per disc case).
    bool discPerPage = false;
};

// The papers a listing is printed on.
enum class ListingPaper {
    A4,
    Letter,
    CdBooklet, // 120 x 120 mm, the booklet of a CD case
};

// The page of a paper with its margins, and the look that fits it: on a
// booklet small print in two columns, each disc on pages of its own.
QPageLayout listingPageLayout(ListingPaper paper);
ListingStyle listingStyle(ListingPaper paper);

// A4 portrait with margins of 15 mm: the page of an exported PDF.
QPageLayout defaultListingPageLayout();

// Paints a listing of content onto a paged device (a PDF writer, a printer),
// page after page: each disc's name and file count as a heading, then its
// folders (in bold) with their files below them, in columns, a name too long
// for its column shortened in the middle; the title on top of every page and
// the page number at its foot. WriteFailed when the device could not be
// painted on; Cancelled when options.progress said stop. pages, when given,
// receives the number of pages painted.
ExportResult paintListing(const ExportContent &content, QPagedPaintDevice &device,
                          const ExportOptions &options, const ListingStyle &style = {},
                          int *pages = nullptr);

// The listing as a PDF document written to out (Qt's own PDF writer).
ExportResult writePdf(const ExportContent &content, QIODevice &out, const ExportOptions &options,
                      const QPageLayout &layout = defaultListingPageLayout(),
                      const ListingStyle &style = {});

} // namespace kobrix
