#include "export/ListingPainter.h"

#include "core/ProgramTexts.h"
#include "export/PdfTextLayer.h"

#include <QFontMetricsF>
#include <QIODevice>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kobrix {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// One row of a disc's columns: a folder heading, or a file of the folder
// above it (or a loose line).
struct Row
{
    qint32 line;
    bool folder;
};

// The rows of one disc: a folder heading wherever the folder changes.
std::vector<Row> rowsOf(const ExportContent &content, qsizetype disc)
{
    const ExportContent::Disc &d = content.disc(disc);
    std::vector<Row> rows;
    rows.reserve(content.linesOf(disc).size() + 16);
    std::string_view folder;
    bool first = true;
    for (const qint32 line : content.linesOf(disc)) {
        const ExportContent::Entry entry = content.entry(d, line);
        if (!d.looseLines && (first || entry.folder != folder)) {
            rows.push_back({line, true});
            folder = entry.folder;
            first = false;
        }
        rows.push_back({line, false});
    }
    return rows;
}

// Lays the listing out on pages and, on the second run, paints it. The
// first run only counts the pages, for the "Page x of y" at their feet.
class ListingRun
{
public:
    ListingRun(const ExportContent &content, QPagedPaintDevice &device,
               const ExportOptions &options, const ListingStyle &style)
        : m_content(content)
        , m_device(device)
        , m_options(options)
        , m_discPerPage(style.discPerPage)
    {
        const qreal mm = device.logicalDpiY() / 25.4;
        m_body.setPointSizeF(style.fontPointSize);
        // Names are printed letter for letter, never with ligatures ("fi"
        // as one glyph), so that text copied or extracted from the PDF reads
        // as the name; Qt leaves ligatures out where letters are spaced,
        // here by a twentieth of a device pixel, which no one sees.
        m_body.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
        m_folder = m_body;
        m_folder.setBold(true);
        m_heading = m_body;
        m_heading.setPointSizeF(style.headingPointSize);
        m_heading.setBold(true);
        m_small = m_body;
        m_small.setPointSizeF(std::max<qreal>(5, style.fontPointSize - 1));
        m_bodyOnDevice = QFont(m_body, &device);
        m_folderOnDevice = QFont(m_folder, &device);

        const QFontMetricsF body(m_body, &device);
        m_lineHeight = body.lineSpacing();
        m_ascent = body.ascent();
        const QFontMetricsF heading(m_heading, &device);
        m_headingHeight = heading.lineSpacing() * 1.3;
        m_headingAscent = heading.ascent();
        const QFontMetricsF small(m_small, &device);
        m_smallHeight = small.lineSpacing();
        m_smallAscent = small.ascent();

        m_width = device.width();
        m_top = m_smallHeight * 1.8;
        m_bottom = device.height() - m_smallHeight * 1.8;
        m_gap = 4 * mm;
        m_indent = 2.5 * mm;
        m_columns =
            style.columns > 0
                ? style.columns
                : std::max(1, int((m_width + m_gap) / (style.minColumnWidthMm * mm + m_gap)));
        m_columnWidth = (m_width - (m_columns - 1) * m_gap) / m_columns;
    }

    // Paints on a ListingPdfWriter note what they paint, for its text layer.
    void recordInto(DrawnText *drawn)
    {
        m_drawn = drawn;
        if (drawn) {
            for (const QFont &font : {m_body, m_folder, m_heading, m_small})
                drawn->addFont(font);
        }
    }

    // Returns the pages, -1 when cancelled or the device refused painting.
    int run(QPainter *painter, int totalPages)
    {
        m_painter = painter;
        m_totalPages = totalPages;
        m_page = 0;
        m_done = 0;
        startPage();
        for (qsizetype disc = 0; disc < m_content.discCount(); ++disc) {
            if (!placeDisc(disc))
                return -1;
        }
        if (m_painter)
            paintFooter();
        return m_page;
    }

private:
    void startPage()
    {
        if (m_page > 0 && m_painter) {
            paintFooter();
            m_device.newPage();
        }
        ++m_page;
        m_y = m_top;
        if (m_painter && !m_options.title.isEmpty()) {
            m_painter->setFont(m_small);
            m_painter->setPen(Qt::darkGray);
            drawText(QPointF(0, m_smallAscent),
                     QFontMetricsF(m_small, &m_device)
                         .elidedText(m_options.title, Qt::ElideMiddle, m_width));
        }
    }

    void paintFooter()
    {
        const QString number = ProgramTexts::exportPageNumber(m_page, m_totalPages);
        m_painter->setFont(m_small);
        m_painter->setPen(Qt::darkGray);
        const qreal width = QFontMetricsF(m_small, &m_device).horizontalAdvance(number);
        drawText(QPointF(m_width - width, m_device.height() - m_smallHeight + m_smallAscent),
                 number);
    }

    bool placeDisc(qsizetype disc)
    {
        const ExportContent::Disc &d = m_content.disc(disc);
        const std::vector<Row> rows = rowsOf(m_content, disc);
        // A heading needs a few rows below it on its page.
        if (m_y > m_top
            && (m_discPerPage || m_y + m_headingHeight + 3 * m_lineHeight > m_bottom))
            startPage();
        const QString heading = ProgramTexts::exportDiscHeading(
            ExportContent::headingOf(d), qsizetype(d.end - d.begin));
        std::size_t next = 0;
        do {
            paintHeading(heading, d.catalog);
            const int rowsOnPage = std::max(1, int((m_bottom - m_y) / m_lineHeight));
            const std::size_t left = rows.size() - next;
            const std::size_t room = std::size_t(rowsOnPage) * std::size_t(m_columns);
            // The last part of a disc is spread evenly over the columns,
            // with a row to spare in each for a folder pushed on below.
            const std::size_t perColumn =
                left <= room ? std::min<std::size_t>(rowsOnPage,
                                                     (left + std::size_t(m_columns) - 1)
                                                             / std::size_t(m_columns)
                                                         + (d.looseLines ? 0 : 1))
                             : std::size_t(rowsOnPage);
            int column = 0;
            std::size_t slot = 0, used = 0;
            while (next < rows.size() && column < m_columns) {
                // A column is full, or would end with a folder whose files
                // stand in the next one: the folder goes on there.
                if (slot == perColumn
                    || (slot > 0 && slot + 1 == perColumn && rows[next].folder
                        && next + 1 < rows.size())) {
                    ++column;
                    slot = 0;
                    continue;
                }
                // A folder whose files go on in a new column or on a new
                // page is named again at its top, unless that row alone
                // would push the disc's last rows onto another page.
                const std::size_t rowsLeft = rows.size() - next;
                const std::size_t slotsLeft = std::size_t(m_columns - column) * perColumn;
                if (slot == 0 && next > 0 && !rows[next].folder && !d.looseLines
                    && perColumn > 1 && rowsLeft != slotsLeft) {
                    if (m_painter)
                        paintRow(d, {rows[next].line, true}, column, m_y, true);
                    used = std::max(used, ++slot);
                }
                if (m_painter)
                    paintRow(d, rows[next], column, m_y + qreal(slot) * m_lineHeight);
                if (!rows[next].folder && ++m_done % 4096 == 0 && m_options.progress
                    && !m_options.progress(m_done, m_content.lineCount()))
                    return false;
                ++next;
                used = std::max(used, ++slot);
            }
            m_y += qreal(used) * m_lineHeight;
            if (next < rows.size())
                startPage();
        } while (next < rows.size());
        m_y += m_lineHeight;
        return true;
    }

    void paintHeading(const QString &heading, const QString &catalog)
    {
        if (m_painter) {
            m_painter->setFont(m_heading);
            m_painter->setPen(Qt::black);
            drawText(QPointF(0, m_y + m_headingAscent),
                     QFontMetricsF(m_heading, &m_device).elidedText(heading, Qt::ElideMiddle, m_width));
        }
        m_y += m_headingHeight;
        // Discs of several catalogs: the disc's catalog on a line of its
        // own, so that the heading keeps the disc's name as it is.
        if (catalog.isEmpty())
            return;
        if (m_painter) {
            const QString line = ProgramTexts::exportCatalogLine(catalog);
            m_painter->setFont(m_body);
            drawText(QPointF(0, m_y + m_ascent),
                     QFontMetricsF(m_body, &m_device).elidedText(line, Qt::ElideMiddle, m_width));
        }
        m_y += m_lineHeight;
    }

    void paintRow(const ExportContent::Disc &d, const Row &row, int column, qreal y,
                  bool continued = false)
    {
        const ExportContent::Entry entry = m_content.entry(d, row.line);
        qreal x = column * (m_columnWidth + m_gap);
        qreal width = m_columnWidth;
        if (row.folder) {
            m_painter->setFont(m_folder);
        } else {
            m_painter->setFont(m_body);
            if (!d.looseLines) {
                x += m_indent;
                width -= m_indent;
            }
        }
        m_painter->setPen(Qt::black);
        const QString name = fromUtf8(row.folder ? entry.folder : entry.file);
        const QString text = continued ? ProgramTexts::exportFolderContinued(name) : name;
        drawFitted(QPointF(x, y + m_ascent), text, row.folder ? m_folderOnDevice : m_bodyOnDevice,
                   int(width));
    }

    // Paints text (in the painter's font, given as font on the device) with
    // its baseline at `at`, shortened in the middle where it is wider than
    // width. Most names fit: they are laid out once and drawn from that
    // layout, where measuring them and then drawing them shaped each twice.
    void drawFitted(const QPointF &at, const QString &text, const QFont &font, int width)
    {
        QTextLayout layout(text, font);
        layout.setCacheEnabled(true);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        // Within a pixel of the width, Qt's own elision decides, as before.
        if (line.horizontalAdvance() + 1 > width) {
            drawText(at, m_painter->fontMetrics().elidedText(text, Qt::ElideMiddle, width));
            return;
        }
        if (m_drawn)
            m_drawn->add(text);
        line.draw(m_painter, QPointF(at.x(), at.y() - line.ascent()));
    }

    void drawText(const QPointF &at, const QString &text)
    {
        if (m_drawn)
            m_drawn->add(text);
        m_painter->drawText(at, text);
    }

    const ExportContent &m_content;
    QPagedPaintDevice &m_device;
    const ExportOptions &m_options;
    const bool m_discPerPage;
    QPainter *m_painter = nullptr;
    DrawnText *m_drawn = nullptr;
    QFont m_body, m_folder, m_heading, m_small;
    QFont m_bodyOnDevice, m_folderOnDevice; // the fonts for a QTextLayout
    qreal m_lineHeight = 0, m_ascent = 0, m_headingHeight = 0, m_headingAscent = 0;
    qreal m_smallHeight = 0, m_smallAscent = 0;
    qreal m_width = 0, m_top = 0, m_bottom = 0, m_gap = 0, m_indent = 0, m_columnWidth = 0;
    int m_columns = 1;
    int m_page = 0;
    int m_totalPages = 0;
    qreal m_y = 0;
    qsizetype m_done = 0;
};

} // namespace

QPageLayout defaultListingPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

QPageLayout listingPageLayout(ListingPaper paper)
{
    switch (paper) {
    case ListingPaper::A4: break;
    case ListingPaper::Letter:
        return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                           QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    case ListingPaper::CdBooklet:
        return QPageLayout(QPageSize(QSizeF(120, 120), QPageSize::Millimeter,
                                     QStringLiteral("CD case booklet 120 x 120 mm")),
                           QPageLayout::Portrait, QMarginsF(6, 6, 6, 6), QPageLayout::Millimeter);
    }
    return defaultListingPageLayout();
}

ListingStyle listingStyle(ListingPaper paper)
{
    ListingStyle style;
    if (paper == ListingPaper::CdBooklet) {
        // 108 mm of width: two columns of 52 mm hold some 40 letters of
        // 6 point each, enough for most names; longer ones are shortened.
        style.fontPointSize = 6;
        style.headingPointSize = 9;
        style.columns = 2;
        style.discPerPage = true;
    }
    return style;
}

ExportResult paintListing(const ExportContent &content, QPagedPaintDevice &device,
                          const ExportOptions &options, const ListingStyle &style, int *pages)
{
    // The progress is reported while painting, the longer of the two runs.
    ExportOptions counting = options;
    counting.progress = nullptr;
    const int total = ListingRun(content, device, counting, style).run(nullptr, 0);
    QPainter painter;
    if (!painter.begin(&device))
        return ExportResult::WriteFailed;
    ListingRun paint(content, device, options, style);
    auto *pdf = dynamic_cast<ListingPdfWriter *>(&device);
    paint.recordInto(pdf ? &pdf->drawnText() : nullptr);
    const int painted = paint.run(&painter, total);
    // The pages before the last went on to the target as they were done;
    // the last and the fonts the writer adds at the end are held back, for
    // their text layer.
    if (pdf)
        pdf->endOfPages();
    if (!painter.end())
        return ExportResult::WriteFailed;
    if (painted < 0)
        return ExportResult::Cancelled;
    if (pages)
        *pages = painted;
    return ExportResult::Written;
}

ExportResult writePdf(const ExportContent &content, QIODevice &out, const ExportOptions &options,
                      const QPageLayout &layout, const ListingStyle &style)
{
    ListingPdfWriter writer(out);
    writer.setPageLayout(layout);
    writer.setResolution(300);
    writer.setTitle(options.title);
    writer.setCreator(ProgramTexts::programTitle());
    const ExportResult result = paintListing(content, writer, options, style);
    if (result != ExportResult::Written) {
        writer.abandon();
        return result;
    }
    return writer.finish() ? ExportResult::Written : ExportResult::WriteFailed;
}

} // namespace kobrix
