// The text exports: what the CSV rows and the HTML page hold, how lines are
// grouped by disc for each kind of selection, and how a failing device or a
// cancel ends an export. tests/cli_export.py reads the same exports back
// with Python's CSV reader and HTML parser.

#include "FailDevice.h"
#include "TestSupport.h"

#include "export/CatalogExport.h"

#include <QBuffer>
#include <QTest>

#include <vector>

using namespace kobrix;

namespace {

const QByteArray kBomAndHeader = "\xEF\xBB\xBF"
                                 "Disc,Folder,File\r\n";

// The CSV of the whole catalog, in catalog order; grouped: of every disc
// chosen, disc by disc.
QByteArray exportCsv(const LineStore &lines, bool grouped = false)
{
    DiscIndex discs;
    discs.build(lines);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const ExportResult result =
        grouped ? writeCsv(ExportContent::wholeCatalog(lines, discs), out) : writeCsv(lines, out);
    if (result != ExportResult::Written)
        return "failed";
    return out.data();
}

// The CSV of the whole catalog with the cells as options say, by both
// writers; "differ" when they do not agree.
QByteArray exportCsvWith(const LineStore &lines, const ExportOptions &options)
{
    DiscIndex discs;
    discs.build(lines);
    QBuffer streamed, grouped;
    streamed.open(QIODevice::WriteOnly);
    grouped.open(QIODevice::WriteOnly);
    if (writeCsv(lines, streamed, options) != ExportResult::Written
        || writeCsv(ExportContent::wholeCatalog(lines, discs), grouped, options)
               != ExportResult::Written)
        return "failed";
    return streamed.data() == grouped.data() ? streamed.data() : QByteArray("differ");
}

QByteArray exportHtml(const LineStore &lines, const QString &title = QStringLiteral("T"))
{
    DiscIndex discs;
    discs.build(lines);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ExportOptions options;
    options.title = title;
    if (writeHtml(ExportContent::wholeCatalog(lines, discs), out, options) != ExportResult::Written)
        return "failed";
    return out.data();
}

// The content as "disc:line,line|disc:line", "~" naming the loose lines.
QString describe(const ExportContent &content)
{
    QStringList discs;
    for (qsizetype i = 0; i < content.discCount(); ++i) {
        QStringList lines;
        for (const qint32 line : content.linesOf(i))
            lines << QString::number(line);
        const ExportContent::Disc &d = content.disc(i);
        discs << (d.looseLines ? QStringLiteral("~") : d.name) + QLatin1Char(':')
                     + lines.join(QLatin1Char(','));
    }
    return discs.join(QLatin1Char('|'));
}

std::vector<qsizetype> numbers(const QString &list)
{
    std::vector<qsizetype> result;
    for (const QString &n : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
        result.push_back(n.toLongLong());
    return result;
}

// A device that keeps count of the bytes and the largest single write.
class CountingDevice : public QIODevice
{
public:
    qint64 total = 0;
    qint64 largestWrite = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 length) override
    {
        total += length;
        largestWrite = std::max(largestWrite, length);
        return length;
    }
};

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void csvRows_data();
    void csvRows();
    void csvGuardsFormulas_data();
    void csvGuardsFormulas();
    void csvNamesCatalogs();
    void groupsBySelection_data();
    void groupsBySelection();
    void htmlEscapesNames_data();
    void htmlEscapesNames();
    void htmlSectionsAndContents();
    void failingDeviceReported_data();
    void failingDeviceReported();
    void progressAndCancel();
    void largeExportIsStreamed();
};

void TestExport::csvRows_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QByteArray>("groupedRows"); // where they differ from rows

    QTest::newRow("worked example")
        << QStringList{"Games 1 - \\SETUP.EXE", "Games 1 - \\DATA\\LEVEL1.DAT",
                       "Photos, 2002 - \\IMG001.JPG"}
        << QByteArray("Games 1,\\,SETUP.EXE\r\nGames 1,\\DATA\\,LEVEL1.DAT\r\n"
                      "\"Photos, 2002\",\\,IMG001.JPG\r\n")
        << QByteArray();
    QTest::newRow("deep folder") << QStringList{"D - \\A\\B\\C\\x.txt"}
                                 << QByteArray("D,\\A\\B\\C\\,x.txt\r\n") << QByteArray();
    QTest::newRow("quote in disc")
        << QStringList{"My \"best\" disc - \\a"} << QByteArray("\"My \"\"best\"\" disc\",\\,a\r\n")
        << QByteArray();
    QTest::newRow("comma and quote in file")
        << QStringList{"D - \\x, \"y\".txt"} << QByteArray("D,\\,\"x, \"\"y\"\".txt\"\r\n")
        << QByteArray();
    // Long enough for the eight-byte scans: the last backslash and the
    // characters to quote anywhere in a word, or in the bytes after the last.
    QTest::newRow("long names")
        << QStringList{"Disc - \\A long folder name\\Second level here\\a file with a long "
                       "name.txt",
                       "Disc - \\0123456\\89abcdef\\0123456789abcde,",
                       "Disc - \\0123456,\\89abcdef0123456789abcdef"}
        << QByteArray(
               "Disc,\\A long folder name\\Second level here\\,a file with a long name.txt\r\n"
               "Disc,\\0123456\\89abcdef\\,\"0123456789abcde,\"\r\n"
               "Disc,\"\\0123456,\\\",89abcdef0123456789abcdef\r\n")
        << QByteArray();
    QTest::newRow("comma in folder")
        << QStringList{"D - \\a,b\\c"} << QByteArray("D,\"\\a,b\\\",c\r\n") << QByteArray();
    QTest::newRow("dash in disc name")
        << QStringList{"Photos - 2002 - \\IMG.JPG"} << QByteArray("Photos - 2002,\\,IMG.JPG\r\n")
        << QByteArray();
    QTest::newRow("empty disc name")
        << QStringList{" - \\X"} << QByteArray(",\\,X\r\n") << QByteArray();
    QTest::newRow("folder without file")
        << QStringList{"D - \\EMPTY\\"} << QByteArray("D,\\EMPTY\\,\r\n") << QByteArray();
    QTest::newRow("blanks kept") << QStringList{" D  - \\ a "} << QByteArray(" D ,\\, a \r\n")
                                 << QByteArray();
    QTest::newRow("hand-made line")
        << QStringList{"shopping list"} << QByteArray(",,shopping list\r\n") << QByteArray();
    QTest::newRow("hand-made with comma and quote")
        << QStringList{"milk, \"fresh\""} << QByteArray(",,\"milk, \"\"fresh\"\"\"\r\n")
        << QByteArray();
    QTest::newRow("line breaks quoted")
        << QStringList{"D - \\a\rb", "D - \\c\nd"}
        << QByteArray("D,\\,\"a\rb\"\r\nD,\\,\"c\nd\"\r\n") << QByteArray();
    QTest::newRow("accents cyrillic japanese")
        << QStringList{"Église - \\Ünï\\файл.txt", "写真 - \\データ\\画像.jpg"}
        << QByteArray("Église,\\Ünï\\,файл.txt\r\n写真,\\データ\\,画像.jpg\r\n") << QByteArray();
    QTest::newRow("a disc in two blocks")
        << QStringList{"A - \\1", "B - \\2", "A - \\3", "x", "A - \\4"}
        << QByteArray("A,\\,1\r\nB,\\,2\r\nA,\\,3\r\n,,x\r\nA,\\,4\r\n")
        << QByteArray("A,\\,1\r\nA,\\,3\r\nA,\\,4\r\nB,\\,2\r\n,,x\r\n");
    QTest::newRow("disc name a prefix of the next")
        << QStringList{"A - \\1", "A - \\x - \\2", "AB - \\3", "A - \\4"}
        << QByteArray("A,\\,1\r\nA,\\x - \\,2\r\nAB,\\,3\r\nA,\\,4\r\n")
        << QByteArray("A,\\,1\r\nA,\\x - \\,2\r\nA,\\,4\r\nAB,\\,3\r\n");
    QTest::newRow("empty catalog") << QStringList{} << QByteArray() << QByteArray();
}

void TestExport::csvRows()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, rows);
    QFETCH(QByteArray, groupedRows);
    LineStore store;
    for (const QString &line : lines)
        store.appendUtf8(line.toStdString());
    QCOMPARE(exportCsv(store), kBomAndHeader + rows);
    QCOMPARE(exportCsv(store, true), kBomAndHeader + (groupedRows.isNull() ? rows : groupedRows));
}

// Cells a spreadsheet would run as formulas get a ' in front and quotes;
// raw, every cell is exactly the text.
void TestExport::csvGuardsFormulas_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("guarded");
    QTest::addColumn<QByteArray>("raw");
    QTest::newRow("equals sign") << "D - \\=HYPERLINK(\"http://x\")"
                                 << QByteArray("D,\\,\"'=HYPERLINK(\"\"http://x\"\")\"\r\n")
                                 << QByteArray("D,\\,\"=HYPERLINK(\"\"http://x\"\")\"\r\n");
    QTest::newRow("DDE") << "D - \\=cmd|' /C calc'!A0"
                         << QByteArray("D,\\,\"'=cmd|' /C calc'!A0\"\r\n")
                         << QByteArray("D,\\,=cmd|' /C calc'!A0\r\n");
    QTest::newRow("plus") << "D - \\+1" << QByteArray("D,\\,\"'+1\"\r\n") << QByteArray("D,\\,+1\r\n");
    QTest::newRow("minus") << "D - \\-readme" << QByteArray("D,\\,\"'-readme\"\r\n")
                           << QByteArray("D,\\,-readme\r\n");
    QTest::newRow("at sign") << "D - \\@SUM(A1)" << QByteArray("D,\\,\"'@SUM(A1)\"\r\n")
                             << QByteArray("D,\\,@SUM(A1)\r\n");
    QTest::newRow("tab") << "D - \\\tx" << QByteArray("D,\\,\"'\tx\"\r\n") << QByteArray("D,\\,\tx\r\n");
    QTest::newRow("carriage return") << "D - \\\rx" << QByteArray("D,\\,\"'\rx\"\r\n")
                                     << QByteArray("D,\\,\"\rx\"\r\n");
    QTest::newRow("disc name") << "=1+1 - \\a" << QByteArray("\"'=1+1\",\\,a\r\n")
                               << QByteArray("=1+1,\\,a\r\n");
    QTest::newRow("hand-made line") << "-x" << QByteArray(",,\"'-x\"\r\n") << QByteArray(",,-x\r\n");
    QTest::newRow("semicolon quoted") << "D - \\a;=1" << QByteArray("D,\\,\"a;=1\"\r\n")
                                      << QByteArray("D,\\,a;=1\r\n");
    QTest::newRow("sign inside a name") << "D - \\a=b-c+d@e" << QByteArray("D,\\,a=b-c+d@e\r\n")
                                        << QByteArray("D,\\,a=b-c+d@e\r\n");
    QTest::newRow("folder starts with its backslash") << "D - \\=x\\y"
                                                      << QByteArray("D,\\=x\\,y\r\n")
                                                      << QByteArray("D,\\=x\\,y\r\n");
}

void TestExport::csvGuardsFormulas()
{
    QFETCH(QString, line);
    QFETCH(QByteArray, guarded);
    QFETCH(QByteArray, raw);
    LineStore store;
    store.appendUtf8(line.toStdString());
    ExportOptions options;
    QCOMPARE(exportCsvWith(store, options), kBomAndHeader + guarded);
    options.rawCsv = true;
    QCOMPARE(exportCsvWith(store, options), kBomAndHeader + raw);
}

// Discs of several catalogs: each row names its catalog in a fourth column,
// the disc's name stays exactly as its lines hold it.
void TestExport::csvNamesCatalogs()
{
    LineStore store;
    for (const char *line : {"Games 1 - \\SETUP.EXE", "Games 1 - \\DATA\\A.DAT", "loose"})
        store.appendUtf8(line);
    DiscIndex discs;
    discs.build(store);
    ExportContent content = ExportContent::wholeCatalog(store, discs);
    content.setDiscCatalog(0, QStringLiteral("Shelf, 2.cdc"));
    content.setDiscCatalog(1, QStringLiteral("=x.cdc"));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QCOMPARE(writeCsv(content, out), ExportResult::Written);
    QCOMPARE(out.data(), QByteArray("\xEF\xBB\xBF"
                                    "Disc,Folder,File,Catalog\r\n"
                                    "Games 1,\\,SETUP.EXE,\"Shelf, 2.cdc\"\r\n"
                                    "Games 1,\\DATA\\,A.DAT,\"Shelf, 2.cdc\"\r\n"
                                    ",,loose,\"'=x.cdc\"\r\n"));
}

void TestExport::groupsBySelection_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("selection"); // "all", "discs", "lines"
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("expected");

    const QStringList mixed{"A - \\1", "A - \\2", "B - \\3", "note", "A - \\4", "C - \\5", "memo"};
    QTest::newRow("whole catalog") << mixed << "all"
                                   << ""
                                   << "A:0,1,4|B:2|~:3,6|C:5";
    QTest::newRow("discs in the order given") << mixed << "discs"
                                              << "3,0"
                                              << "C:5|A:0,1,4";
    QTest::newRow("disc given twice once") << mixed << "discs"
                                           << "1,1,1"
                                           << "B:2";
    QTest::newRow("loose lines chosen") << mixed << "discs"
                                        << "2"
                                        << "~:3,6";
    QTest::newRow("unknown disc numbers passed over") << mixed << "discs"
                                                      << "-1,9,1"
                                                      << "B:2";
    QTest::newRow("lines grouped by first disc") << mixed << "lines"
                                                 << "5,4,2,0"
                                                 << "C:5|A:4,0|B:2";
    QTest::newRow("loose lines among results") << mixed << "lines"
                                               << "6,1,3"
                                               << "~:6,3|A:1";
    QTest::newRow("no lines") << mixed << "lines"
                              << ""
                              << "";
    QTest::newRow("lines out of range passed over") << mixed << "lines"
                                                    << "7,-1,2"
                                                    << "B:2";
    QTest::newRow("empty catalog") << QStringList{} << "all"
                                   << ""
                                   << "";
}

void TestExport::groupsBySelection()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, selection);
    QFETCH(QString, which);
    QFETCH(QString, expected);
    const LineStore store = test::toStore(lines);
    DiscIndex discs;
    discs.build(store);
    const std::vector<qsizetype> chosen = numbers(which);
    const ExportContent content =
        selection == QLatin1String("all")     ? ExportContent::wholeCatalog(store, discs)
        : selection == QLatin1String("discs") ? ExportContent::selectedDiscs(store, discs, chosen)
                                              : ExportContent::selectedLines(store, discs, chosen);
    QCOMPARE(describe(content), expected);
    qsizetype total = 0;
    for (qsizetype i = 0; i < content.discCount(); ++i)
        total += qsizetype(content.linesOf(i).size());
    QCOMPARE(content.lineCount(), total);
}

void TestExport::htmlEscapesNames_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("escaped");
    QTest::addColumn<QByteArray>("raw"); // must not appear

    QTest::newRow("tag in disc") << "<b>Disc</b> - \\a" << QByteArray("&lt;b&gt;Disc&lt;/b&gt;")
                                 << QByteArray("<b>Disc");
    QTest::newRow("script in file")
        << "D - \\<script>alert(1)</script>" << QByteArray("&lt;script&gt;alert(1)&lt;/script&gt;")
        << QByteArray("<script>alert");
    QTest::newRow("ampersand") << "Tom & Jerry - \\a&amp;b" << QByteArray("Tom &amp; Jerry")
                               << QByteArray("a&amp;b");
    QTest::newRow("quotes") << "D - \\say \"hi\" 'there'"
                            << QByteArray("say &quot;hi&quot; &#39;there&#39;")
                            << QByteArray("\"hi\"");
    QTest::newRow("hand-made") << "<i>note</i>" << QByteArray("&lt;i&gt;note&lt;/i&gt;")
                               << QByteArray("<i>");
    QTest::newRow("long name, quote late")
        << "Disc - \\0123456789abcdefghij\\klmnopqrstuvw\"xyz"
        << QByteArray("klmnopqrstuvw&quot;xyz") << QByteArray("w\"x");
    QTest::newRow("accents kept") << "Église - \\Ünï\\файл.txt" << QByteArray("файл.txt")
                                  << QByteArray("&#");
}

void TestExport::htmlEscapesNames()
{
    QFETCH(QString, line);
    QFETCH(QByteArray, escaped);
    QFETCH(QByteArray, raw);
    const QByteArray page = exportHtml(test::toStore({line}), QStringLiteral("<Catalog>"));
    QVERIFY2(page.contains(escaped), page.constData());
    QVERIFY(!page.contains(raw));
    QVERIFY(page.contains("<title>&lt;Catalog&gt;</title>"));
    QVERIFY(!page.contains("<Catalog>"));
}

void TestExport::htmlSectionsAndContents()
{
    // Lines enough for two blocks of the big disc; nothing fetched from
    // elsewhere.
    QStringList lines{"Small - \\a"};
    for (int i = 0; i < 700; ++i)
        lines << QStringLiteral("Big - \\DATA\\F%1.DAT").arg(i);
    lines << "note";
    const QByteArray page = exportHtml(test::toStore(lines));
    QCOMPARE(page.count("<section "), 3);
    QCOMPARE(page.count("<div class=\"k\""), 1 + 2 + 1);
    QVERIFY(page.contains("<a href=\"#d1\">Small</a><td>1</tr>\n"));
    QVERIFY(page.contains("<a href=\"#d2\">Big</a><td>700</tr>\n"));
    QVERIFY(page.contains("<a href=\"#d3\">Lines without a disc name</a><td>1</tr>\n"));
    QVERIFY(page.contains("<p>3 discs, 702 files</p>"));
    QVERIFY(page.contains("<tr><td>\\DATA\\<td>F699.DAT</tr>\n"));
    QVERIFY(page.contains("<tr><td><td>note</tr>\n"));
    QVERIFY(!page.contains("src="));
    QVERIFY(!page.contains("http"));
    QVERIFY(page.endsWith("</html>\n"));
}

void TestExport::failingDeviceReported_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<qint64>("limit");

    for (const char *format : {"csv", "html"}) {
        for (const qint64 limit : {0, 10, 100000}) {
            QTest::addRow("%s, fails after %lld bytes", format, static_cast<long long>(limit))
                << QString::fromLatin1(format) << limit;
        }
    }
}

void TestExport::failingDeviceReported()
{
    QFETCH(QString, format);
    QFETCH(qint64, limit);
    const LineStore store = test::bigListing(20000);
    DiscIndex discs;
    discs.build(store);
    const ExportContent content = ExportContent::wholeCatalog(store, discs);
    test::FailDevice out(limit);
    out.open(QIODevice::WriteOnly);
    const ExportResult result =
        format == QLatin1String("csv") ? writeCsv(content, out) : writeHtml(content, out);
    QCOMPARE(result, ExportResult::WriteFailed);
}

void TestExport::progressAndCancel()
{
    const LineStore store = test::bigListing(10000);
    DiscIndex discs;
    discs.build(store);
    const ExportContent content = ExportContent::wholeCatalog(store, discs);

    // Told to the end: the last call says every line was written.
    std::vector<qsizetype> seen;
    ExportOptions options;
    options.progress = [&](qsizetype written, qsizetype total) {
        seen.push_back(written);
        return total == 10000;
    };
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QCOMPARE(writeCsv(content, out, options), ExportResult::Written);
    QVERIFY(seen.size() >= 2);
    QCOMPARE(seen.back(), qsizetype(10000));
    QVERIFY(std::is_sorted(seen.begin(), seen.end()));

    // Stopped at the first call.
    int calls = 0;
    options.progress = [&](qsizetype, qsizetype) { return ++calls < 1; };
    QBuffer cancelled;
    cancelled.open(QIODevice::WriteOnly);
    QCOMPARE(writeHtml(content, cancelled, options), ExportResult::Cancelled);
    QCOMPARE(calls, 1);
    QVERIFY(!cancelled.data().contains("</html>"));
}

void TestExport::largeExportIsStreamed()
{
    // 200,000 lines: megabytes of output, handed over in pieces of a bounded
    // size rather than built whole first.
    const LineStore store = test::bigListing(200000);
    DiscIndex discs;
    discs.build(store);
    const ExportContent content = ExportContent::wholeCatalog(store, discs);
    for (const bool html : {false, true}) {
        CountingDevice out;
        out.open(QIODevice::WriteOnly);
        QCOMPARE(html ? writeHtml(content, out) : writeCsv(content, out), ExportResult::Written);
        QVERIFY(out.total > 4'000'000);
        QVERIFY2(out.largestWrite < 300'000, qPrintable(QString::number(out.largestWrite)));
    }
}

QTEST_GUILESS_MAIN(TestExport)
#include "tst_core_export.moc"
