// Every line of a catalog read in pieces on several threads, each piece
// counted by disc on its own and the counts added up in file order, gives
// the discs that one reading front to back gives: the same names, in the
// order of their first lines, with the same counts.

#include "cli/CliEveryLine.h"
#include "discs/DiscIndex.h"

#include "TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using kobrix::test::writeFile;

namespace {

// Counts the lines of each disc, as kobrix-cli discs does.
struct Counter
{
    DiscTally tally;

    void begin(qint64) {}
    void clear() { tally.clear(); }
    bool takeAsIs(const FieldParser::FilterText &text)
    {
        if (!cli::isUtf8(text))
            return false;
        tally.add(text.bytes);
        return true;
    }
    void line(std::string_view text) { tally.add(text); }
};

QStringList discsOf(const DiscTally &tally)
{
    QStringList discs;
    for (qint32 d = 0; d < tally.count(); ++d) {
        discs << QString::fromUtf8(tally.utf8Name(d)) + (tally.isLooseLines(d) ? "(loose)" : "") + ' '
                     + QString::number(tally.lineCount(d));
    }
    return discs;
}

} // namespace

class TestEveryLine : public QObject
{
    Q_OBJECT

private slots:
    void piecesCountWhatOneReadingCounts_data();
    void piecesCountWhatOneReadingCounts();
    void memoryRunningOutInAMergeStopsTheReading();
};

void TestEveryLine::piecesCountWhatOneReadingCounts_data()
{
    QTest::addColumn<QByteArray>("catalog");
    QByteArray many;
    for (int i = 0; i < 400; ++i) {
        // Discs met again further on, names outside ASCII, loose lines,
        // lines of several fields, a name in Windows-1252.
        static const char *const kDiscs[] = {"Fotos", "Фото", "写真", "F\xF6tos", "Fotos 2"};
        many += '"' + QByteArray(kDiscs[(i / 7 + i % 3) % 5]) + " - \\a\\" + QByteArray::number(i)
                + (i % 11 == 0 ? "\"\r\n" : "\"\n");
        if (i % 37 == 0)
            many += "loose line\nx, \"y - \\z\"\r";
    }
    QTest::newRow("many discs") << many;
    QTest::newRow("one disc") << QByteArray("\"A - \\x\"\r\n\"A - \\y\"\r\n\"A - \\z\"\r\n");
    QTest::newRow("loose lines only") << QByteArray("a\nb\r\nc");
    QTest::newRow("a mark, then a disc") << QByteArray("\xEF\xBB\xBF\"A - \\x\"\n\"B - \\y\"\n\"A - \\z\"");
}

void TestEveryLine::piecesCountWhatOneReadingCounts()
{
    QFETCH(QByteArray, catalog);
    QTemporaryDir dir;
    writeFile(dir.path(), QStringLiteral("c.cdc"), catalog);
    const QString path = dir.filePath(QStringLiteral("c.cdc"));
    Counter whole;
    QVERIFY(!cli::EveryLine<Counter>(whole).read(path));
    for (const qint64 pieceBytes : {1, 5, 40, 1000}) {
        for (const int threads : {1, 2, 3}) {
            Counter sum;
            CatalogPieceOptions options;
            options.pieceBytes = pieceBytes;
            options.threads = threads;
            options.ahead = 1;
            // Each piece's discs are told where they went: the disc of the
            // same name, or the loose lines.
            bool numbered = true;
            cli::EveryLineInPieces<Counter> pieces(
                [] { return std::make_unique<Counter>(); }, [&sum, &numbered](Counter &piece) {
                    std::vector<qint32> numbers;
                    sum.tally.addTally(piece.tally, &numbers);
                    for (qint32 d = 0; d < piece.tally.count(); ++d) {
                        const qint32 to = numbers[std::size_t(d)];
                        numbered = numbered && sum.tally.isLooseLines(to) == piece.tally.isLooseLines(d)
                                   && sum.tally.utf8Name(to) == piece.tally.utf8Name(d);
                    }
                });
            QVERIFY(!pieces.read(path, options));
            QVERIFY(numbered);
            QCOMPARE(discsOf(sum.tally), discsOf(whole.tally));
        }
    }
}

void TestEveryLine::memoryRunningOutInAMergeStopsTheReading()
{
    // The threads still reading further pieces are stopped and joined, and
    // the reading fails with 7 instead of ending the program.
    QTemporaryDir dir;
    QByteArray catalog;
    for (int i = 0; i < 2000; ++i)
        catalog += "\"A - \\" + QByteArray::number(i) + "\"\r\n";
    writeFile(dir.path(), QStringLiteral("c.cdc"), catalog);
    CatalogPieceOptions options;
    options.pieceBytes = 100;
    options.threads = 2;
    int merged = 0;
    cli::EveryLineInPieces<Counter> pieces([] { return std::make_unique<Counter>(); }, [&merged](Counter &) {
        if (++merged == 3)
            throw std::bad_alloc();
    });
    QCOMPARE(pieces.read(dir.filePath(QStringLiteral("c.cdc")), options).number(), int(OutOfMemory));
    QCOMPARE(merged, 3);
}

QTEST_GUILESS_MAIN(TestEveryLine)
#include "tst_cli_everyline.moc"
