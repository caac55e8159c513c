// The printed listing: how its pages follow from the page size, the columns
// and the number of lines, and how a failing device or a cancel ends a PDF
// export. tests/cli_export.py reads the PDF's text back with pdftotext.

#include "FailDevice.h"
#include "TestSupport.h"

#include "export/ExportFile.h"
#include "export/ListingPainter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTest>

#include <thread>

using namespace kobrix;

namespace {

// count lines in one disc, then `discs` small discs of three lines.
LineStore catalog(int count, int discs = 0)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("Big - \\DATA\\SUB%1\\FILE%2.DAT").arg(i / 50).arg(i);
    for (int d = 0; d < discs; ++d) {
        for (int i = 0; i < 3; ++i)
            lines << QStringLiteral("Disc %1 - \\F%2.TXT").arg(d).arg(i);
    }
    return test::toStore(lines);
}

QPageLayout pageOf(const QString &name)
{
    if (name == QLatin1String("booklet")) // a page that fits a CD case
        return QPageLayout(QPageSize(QSizeF(120, 120), QPageSize::Millimeter),
                           QPageLayout::Portrait, QMarginsF(6, 6, 6, 6), QPageLayout::Millimeter);
    if (name == QLatin1String("letter"))
        return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                           QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    return defaultListingPageLayout();
}

// The pages of the listing of lines on the page, -1 on failure.
int pagesOf(const LineStore &lines, const QString &page, int columns)
{
    DiscIndex discs;
    discs.build(lines);
    const ExportContent content = ExportContent::wholeCatalog(lines, discs);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QPdfWriter writer(&out);
    writer.setPageLayout(pageOf(page));
    writer.setResolution(300);
    ListingStyle style;
    style.columns = columns;
    int pages = -1;
    if (paintListing(content, writer, {}, style, &pages) != ExportResult::Written)
        return -1;
    return pages;
}

// count lines of names in the scripts of mixed, in discs of 1,000 lines.
LineStore mixedCatalog(int count)
{
    const QStringList words{QStringLiteral("Été"), QStringLiteral("Ёлка"), QStringLiteral("Ελλάδα"),
                            QStringLiteral("naïve café"), QStringLiteral("Данные")};
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("%1 %2 - \%3\%4 %5.txt")
                     .arg(words[i / 1000 % 5])
                     .arg(i / 1000)
                     .arg(words[i / 40 % 5])
                     .arg(words[i % 5])
                     .arg(i);
    return test::toStore(lines);
}

// The text of a PDF by pdftotext -layout, a form feed between pages.
QString pdfText(const QByteArray &pdf)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("t.pdf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                     file.fileName(), QStringLiteral("-")});
    pdftotext.waitForFinished(120000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

} // namespace

class TestExportPdf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesFollowLayout_data();
    void pagesFollowLayout();
    void writesPdfDocument();
    void failingDeviceReported_data();
    void failingDeviceReported();
    void cancelStops();
    void papers_data();
    void papers();
    void paintsOnWorkerThread();
    void foldersNamedAgain_data();
    void foldersNamedAgain();
    void textGivesNames_data();
    void textGivesNames();
    void pagesGoOutAsPainted_data();
    void pagesGoOutAsPainted();
    void longNamesShortened_data();
    void longNamesShortened();
    void stoppedLeavesFileAsItWas_data();
    void stoppedLeavesFileAsItWas();
};

void TestExportPdf::pagesFollowLayout_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("discs");
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("comparedPage");
    QTest::addColumn<int>("comparedColumns");
    QTest::addColumn<QString>("relation"); // pages of the first against the second

    QTest::newRow("empty catalog: one page") << 0 << 0 << "a4" << 0 << "booklet" << 0 << "==";
    QTest::newRow("small discs share a page") << 0 << 5 << "a4" << 0 << "a4" << 0 << "==";
    QTest::newRow("more columns, fewer pages") << 3000 << 0 << "a4" << 3 << "a4" << 1 << "<";
    QTest::newRow("auto columns on A4 are two") << 3000 << 0 << "a4" << 0 << "a4" << 2 << "==";
    QTest::newRow("booklet needs more pages") << 3000 << 0 << "booklet" << 0 << "a4" << 0 << ">";
    QTest::newRow("booklet holds one column")
        << 3000 << 0 << "booklet" << 0 << "booklet" << 1 << "==";
    QTest::newRow("letter like A4") << 3000 << 0 << "letter" << 0 << "a4" << 0 << "~";
    QTest::newRow("many small discs on A4") << 0 << 400 << "a4" << 0 << "booklet" << 0 << "<";
}

void TestExportPdf::pagesFollowLayout()
{
    QFETCH(int, lines);
    QFETCH(int, discs);
    QFETCH(QString, page);
    QFETCH(int, columns);
    QFETCH(QString, comparedPage);
    QFETCH(int, comparedColumns);
    QFETCH(QString, relation);

    const LineStore store = catalog(lines, discs);
    const int pages = pagesOf(store, page, columns);
    const int compared = pagesOf(store, comparedPage, comparedColumns);
    QVERIFY(pages >= 1);
    QVERIFY(compared >= 1);
    const QByteArray said = QByteArray::number(pages) + " against " + QByteArray::number(compared);
    if (relation == QLatin1String("=="))
        QVERIFY2(pages == compared, said);
    else if (relation == QLatin1String("<"))
        QVERIFY2(pages < compared, said);
    else if (relation == QLatin1String(">"))
        QVERIFY2(pages > compared, said);
    else
        QVERIFY2(std::abs(pages - compared) <= compared / 5 + 1, said);
    if (lines == 0 && discs <= 5)
        QCOMPARE(pages, 1);
    // A page of A4 holds some 150 rows in two columns, whatever the font.
    if (lines == 3000 && page == QLatin1String("a4") && columns == 0)
        QVERIFY2(pages >= 10 && pages <= 40, said);
}

void TestExportPdf::writesPdfDocument()
{
    const LineStore store = catalog(500, 3);
    DiscIndex discs;
    discs.build(store);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ExportOptions options;
    options.title = QStringLiteral("Shelf.cdc");
    QCOMPARE(writePdf(ExportContent::wholeCatalog(store, discs), out, options),
             ExportResult::Written);
    const QByteArray pdf = out.data();
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    // The page tree counts as many pages as the painter made.
    const int pages = pagesOf(store, QStringLiteral("a4"), 0);
    const QRegularExpressionMatch count =
        QRegularExpression(
            QStringLiteral("/Type /Pages\\s*/Kids\\s*\\[[^\\]]*\\]\\s*/Count (\\d+)"))
            .match(QString::fromLatin1(pdf));
    QVERIFY2(count.hasMatch(), "no page tree");
    QCOMPARE(count.captured(1).toInt(), pages);
}

void TestExportPdf::failingDeviceReported_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::newRow("nothing written") << qint64(0);
    QTest::newRow("header written") << qint64(20);
    QTest::newRow("part written") << qint64(5000);
}

void TestExportPdf::failingDeviceReported()
{
    QFETCH(qint64, limit);
    const LineStore store = catalog(2000);
    DiscIndex discs;
    discs.build(store);
    test::FailDevice out(limit);
    out.open(QIODevice::WriteOnly);
    QCOMPARE(writePdf(ExportContent::wholeCatalog(store, discs), out, {}),
             ExportResult::WriteFailed);
}

void TestExportPdf::cancelStops()
{
    const LineStore store = catalog(20000);
    DiscIndex discs;
    discs.build(store);
    ExportOptions options;
    int calls = 0;
    options.progress = [&](qsizetype written, qsizetype total) {
        ++calls;
        return written < total / 2;
    };
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QCOMPARE(writePdf(ExportContent::wholeCatalog(store, discs), out, options),
             ExportResult::Cancelled);
    QVERIFY(calls >= 1);
    QVERIFY(calls < 5);
}

// The papers of printing: their page sizes, and on a booklet each disc on
// pages of its own.
void TestExportPdf::papers_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("lines"); // of a big disc first
    QTest::addColumn<int>("discs"); // small discs after it
    QTest::addColumn<QSizeF>("millimetres");
    QTest::addColumn<int>("pages"); // -1: more than the small discs alone
    const QSizeF a4(210, 297), letter(215.9, 279.4), booklet(120, 120);
    QTest::newRow("A4, small discs share a page") << int(ListingPaper::A4) << 0 << 5 << a4 << 1;
    QTest::newRow("Letter, small discs share a page")
        << int(ListingPaper::Letter) << 0 << 5 << letter << 1;
    QTest::newRow("booklet, a page per disc")
        << int(ListingPaper::CdBooklet) << 0 << 5 << booklet << 5;
    QTest::newRow("booklet, a big disc over pages, then a page per disc")
        << int(ListingPaper::CdBooklet) << 400 << 3 << booklet << -1;
}

void TestExportPdf::papers()
{
    QFETCH(int, paper);
    QFETCH(int, lines);
    QFETCH(int, discs);
    QFETCH(QSizeF, millimetres);
    QFETCH(int, pages);
    const QPageLayout layout = listingPageLayout(ListingPaper(paper));
    const QSizeF size = layout.pageSize().size(QPageSize::Millimeter);
    QVERIFY2(std::abs(size.width() - millimetres.width()) < 0.05
                 && std::abs(size.height() - millimetres.height()) < 0.05,
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
    const auto count = [&](int bigLines, int smallDiscs) {
        const LineStore store = catalog(bigLines, smallDiscs);
        DiscIndex index;
        index.build(store);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QPdfWriter writer(&out);
        writer.setPageLayout(layout);
        writer.setResolution(300);
        int painted = -1;
        paintListing(ExportContent::wholeCatalog(store, index), writer, {},
                     listingStyle(ListingPaper(paper)), &painted);
        return painted;
    };
    const int painted = count(lines, discs);
    if (pages >= 0) {
        QCOMPARE(painted, pages);
    } else {
        const int bigAlone = count(lines, 0);
        QVERIFY(bigAlone > 1);
        QCOMPARE(painted, bigAlone + discs);
    }
}

// The window exports on a worker thread: the PDF painted there, fonts and
// all, is the one painted on the program's own thread.
void TestExportPdf::paintsOnWorkerThread()
{
    const LineStore store = test::toStore(
        {QStringLiteral("Café - \\Musique\\Déjà vu.mp3"), QStringLiteral("Диск - \\Письмо.doc"),
         QStringLiteral("日本語 - \\写真\\富士山.jpg")});
    DiscIndex discs;
    discs.build(store);
    const ExportContent content = ExportContent::wholeCatalog(store, discs);
    QBuffer here, there;
    here.open(QIODevice::WriteOnly);
    there.open(QIODevice::WriteOnly);
    QCOMPARE(writePdf(content, here, {}), ExportResult::Written);
    ExportResult result = ExportResult::WriteFailed;
    std::thread worker([&] { result = writePdf(content, there, {}); });
    worker.join();
    QCOMPARE(result, ExportResult::Written);
    // The same text in the same fonts; only the creation date may differ.
    const auto withoutDates = [](QByteArray pdf) {
        static const QRegularExpression date(QStringLiteral("\\(D:[0-9+\\-Z']*\\)"));
        return QString::fromLatin1(pdf).remove(date);
    };
    QCOMPARE(there.data().size(), here.data().size());
    QCOMPARE(withoutDates(there.data()), withoutDates(here.data()));
}


void TestExportPdf::foldersNamedAgain_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("continued"); // folder headings named again
    QStringList oneFolder, twoFolders, loose;
    for (int i = 0; i < 30; ++i)
        oneFolder << QStringLiteral("Games 1 - \\Музыка\\TRACK%1.OGG").arg(i, 2, 10, QLatin1Char('0'));
    for (int i = 0; i < 4; ++i)
        twoFolders << QStringLiteral("Games 1 - \\A\\F%1.TXT").arg(i)
                   << QStringLiteral("Games 1 - \\B\\G%1.TXT").arg(i);
    for (int i = 0; i < 300; ++i)
        loose << QStringLiteral("note %1").arg(i);
    QStringList big;
    for (int i = 0; i < 400; ++i)
        big << QStringLiteral("Big - \\DATA\\FILE%1.DAT").arg(i);
    QTest::newRow("a folder over two columns") << int(ListingPaper::CdBooklet) << oneFolder << 1;
    QTest::newRow("short folders in one column") << int(ListingPaper::CdBooklet) << twoFolders << 0;
    QTest::newRow("a folder over pages: on every column after the first")
        << int(ListingPaper::CdBooklet) << big << -1;
    QTest::newRow("lines without a disc have no folders") << int(ListingPaper::A4) << loose << 0;
}

// A folder whose files go on at the top of a column or page is named again
// there, so that no file stands under a folder that is not its own.
void TestExportPdf::foldersNamedAgain()
{
    QFETCH(int, paper);
    QFETCH(QStringList, lines);
    QFETCH(int, continued);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is missing (Debian package poppler-utils)");
    const LineStore store = test::toStore(lines);
    DiscIndex index;
    index.build(store);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("listing.pdf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    int pages = 0;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(listingPageLayout(ListingPaper(paper)));
        QCOMPARE(paintListing(ExportContent::wholeCatalog(store, index), writer, {},
                              listingStyle(ListingPaper(paper)), &pages),
                 ExportResult::Written);
    }
    file.close();
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file.fileName(),
                     QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(60000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const qsizetype found = text.count(QStringLiteral(" (continued)"));
    if (continued >= 0) {
        QCOMPARE(found, qsizetype(continued));
    } else {
        // Two columns a page: every column but the very first starts with
        // the folder named again.
        QVERIFY(pages > 1);
        QCOMPARE(found, qsizetype(2 * pages - 1));
    }
    // Every file is still listed once.
    for (const QString &line : lines) {
        const QString file = line.section(QLatin1Char('\\'), -1);
        QVERIFY2(text.count(file + QLatin1Char('\n')) + text.count(file + QLatin1Char(' ')) >= 1,
                 qPrintable(file));
    }
}

// The text of the PDF (what search and copy give) is the names painted, in
// the CJK fonts that give one glyph to several characters (Noto Sans CJK
// draws 日 and the Kangxi radical ⽇ alike) and in those that do not.
void TestExportPdf::textGivesNames_data()
{
    QTest::addColumn<QString>("fontFile");
    QTest::addColumn<QStringList>("lines");
    const QStringList japanese{
        QStringLiteral("日本語ディスク - \\写真\\富士山.jpg"),
        QStringLiteral("日本語ディスク - \\一二三\\アニメ・ソング 第一話.mp4"),
        QStringLiteral("Photos 2002 - \\Été\\Ёлка и снег.jpg")};
    for (const char *font : {"/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
                             "/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf"})
        QTest::addRow("%s", QFileInfo(QString::fromLatin1(font)).completeBaseName().toLatin1().constData())
            << QString::fromLatin1(font) << japanese;
}

void TestExportPdf::textGivesNames()
{
    QFETCH(QString, fontFile);
    QFETCH(QStringList, lines);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is missing (Debian package poppler-utils)");
    if (!QFileInfo::exists(fontFile))
        QSKIP(qPrintable(fontFile + QStringLiteral(" is not installed")));
    const int id = QFontDatabase::addApplicationFont(fontFile);
    QVERIFY(id >= 0);
    const QFont before = QGuiApplication::font();
    // Latin and Cyrillic letters in DejaVu Sans, the others in that font,
    // whatever the system prefers.
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QFontDatabase::applicationFontFamilies(id).first()});
    QGuiApplication::setFont(font);
    const LineStore store = test::toStore(lines);
    DiscIndex index;
    index.build(store);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("names.pdf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const ExportResult result = writePdf(ExportContent::wholeCatalog(store, index), file, {});
    file.close();
    QGuiApplication::setFont(before);
    QFontDatabase::removeApplicationFont(id);
    QCOMPARE(result, ExportResult::Written);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                                  file.fileName(), QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(60000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const QString &line : lines) {
        for (const QString &name : {line.section(QStringLiteral(" - "), 0, 0),
                                    line.section(QLatin1Char('\\'), 1, -2),
                                    line.section(QLatin1Char('\\'), -1)})
            QVERIFY2(text.contains(name), qPrintable(name + QStringLiteral(" missing in:\n") + text));
    }
}

// The pages of a PDF go to the target while the listing is painted, not at
// its end: what the export holds is a page, not the document. The document
// is the one Qt's writer makes of the same listing, page for page.
void TestExportPdf::pagesGoOutAsPainted_data()
{
    QTest::addColumn<bool>("mixed");
    QTest::newRow("ASCII, one disc") << false;
    QTest::newRow("accents, Greek, Cyrillic, many discs") << true;
}

void TestExportPdf::pagesGoOutAsPainted()
{
    QFETCH(bool, mixed);
    const LineStore store = mixed ? mixedCatalog(12000) : catalog(12000);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is missing (Debian package poppler-utils)");
    DiscIndex discs;
    discs.build(store);
    const ExportContent content = ExportContent::wholeCatalog(store, discs);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    qint64 outWhilePainting = 0;
    ExportOptions options;
    options.title = QStringLiteral("Shelf.cdc");
    options.progress = [&](qsizetype, qsizetype) {
        outWhilePainting = out.size();
        return true;
    };
    QCOMPARE(writePdf(content, out, options), ExportResult::Written);
    QVERIFY2(outWhilePainting > out.size() / 2,
             qPrintable(QStringLiteral("%1 of %2 bytes").arg(outWhilePainting).arg(out.size())));
    // Every object is where the table of objects says (readers that trust
    // the table, unlike pdftotext, would find nothing else).
    const QByteArray pdf = out.data();
    const qsizetype startxref = pdf.lastIndexOf("startxref\n");
    QVERIFY(startxref > 0);
    const qint64 xref = pdf.mid(startxref + 10).split('\n').value(0).toLongLong();
    const QList<QByteArray> table = pdf.mid(xref, startxref - xref).split('\n');
    QVERIFY(table.value(0) == "xref" && table.size() > 10);
    for (qsizetype i = 0; i + 3 < table.size() && table[i + 3].endsWith(" n "); ++i)
        QVERIFY2(pdf.mid(table[i + 3].left(10).toLongLong()).startsWith(QByteArray::number(i + 1) + " 0 obj"),
                 table[i + 3].constData());

    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    QPdfWriter writer(&whole);
    writer.setPageLayout(defaultListingPageLayout());
    writer.setResolution(300);
    options.progress = nullptr;
    QCOMPARE(paintListing(content, writer, options), ExportResult::Written);
    const QString expected = pdfText(whole.data());
    QVERIFY(expected.count(QLatin1Char('\f')) > 10);
    QCOMPARE(pdfText(out.data()), expected);
}

// A name wider than its column is shortened in the middle, one that fits
// is printed whole.
void TestExportPdf::longNamesShortened_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("whole");
    QTest::newRow("short") << "FILE0001.DAT" << true;
    QTest::newRow("short Cyrillic") << "Ёлка и снег.jpg" << true;
    QTest::newRow("long") << QStringLiteral("A%1Z.DAT").arg(QString(200, QLatin1Char('b'))) << false;
    QTest::newRow("long Greek")
        << QStringLiteral("Ω%1ω.txt").arg(QString(150, QChar(0x03BB))) << false;
}

void TestExportPdf::longNamesShortened()
{
    QFETCH(QString, name);
    QFETCH(bool, whole);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is missing (Debian package poppler-utils)");
    const LineStore store = test::toStore({QStringLiteral("Disc - \\DIR\\") + name});
    DiscIndex discs;
    discs.build(store);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QCOMPARE(writePdf(ExportContent::wholeCatalog(store, discs), out, {}), ExportResult::Written);
    const QString text = pdfText(out.data());
    QCOMPARE(text.contains(name), whole);
    QCOMPARE(text.contains(QChar(0x2026)), !whole); // …
    QVERIFY(text.contains(name.left(3)));
    QVERIFY(text.contains(name.right(3)));
}

// A PDF export stopped part-way leaves the file it was to replace as it was
// and nothing beside it, though its pages went out as they were painted.
void TestExportPdf::stoppedLeavesFileAsItWas_data()
{
    QTest::addColumn<int>("stopAt"); // the progress call that says stop
    QTest::newRow("at once") << 1;
    QTest::newRow("half-way") << 2;
    QTest::newRow("late") << 4;
}

void TestExportPdf::stoppedLeavesFileAsItWas()
{
    QFETCH(int, stopAt);
    const LineStore store = catalog(20000 + 100, 2);
    DiscIndex discs;
    discs.build(store);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shelf.pdf"));
    QFile before(path);
    QVERIFY(before.open(QIODevice::WriteOnly));
    before.write("the listing before");
    before.close();
    ExportOptions options;
    int calls = 0;
    options.progress = [&](qsizetype, qsizetype) { return ++calls < stopAt; };
    const ExportFileResult result =
        writeExportFile(path, ExportFormat::Pdf, ExportContent::wholeCatalog(store, discs), options);
    QCOMPARE(result.result, ExportResult::Cancelled);
    QCOMPARE(calls, stopAt);
    QVERIFY(before.open(QIODevice::ReadOnly));
    QCOMPARE(before.readAll(), QByteArray("the listing before"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("shelf.pdf")});
}

QTEST_MAIN(TestExportPdf)
#include "tst_export_pdf.moc"
