// The search of a catalog in pieces on several threads must find what one
// reading front to back finds, line for line and in order, wherever the
// pieces are cut: between CR and LF, at a line that starts like a byte-order
// mark, inside a line longer than a piece.

#include "catalog/CatalogFile.h"
#include "catalog/CatalogFormat.h"
#include "search/Matcher.h"
#include "session/PieceSearch.h"

#include "TestSupport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using kobrix::test::writeFile;

namespace {

// What reading the whole file and searching it gives: the hit lines, each
// followed by '\n', and the error.
std::string wholeFileHits(const QString &path, const Matcher &matcher, RuntimeError &error)
{
    LineStore store;
    error = readCatalog(path, store, ExistingLines::Clear);
    std::vector<qsizetype> hits;
    matcher.findIn(store, 0, store.count(), hits);
    std::string lines;
    for (const qsizetype i : hits)
        lines.append(store.utf8At(i)).push_back('\n');
    return lines;
}

// A catalog of many lines in several scripts, with every kind of line end,
// empty lines, lines of several fields and lines in Windows-1252.
QByteArray mixedCatalog(quint32 seed)
{
    static const char *const kWords[] = {
        "setup.exe", "ΟΔΥΣΣΕΑΣ", "σχέδιο", "データ", "ﾃﾞｰﾀ", "ёлка", "ЁЛКА", "dvořák",
        "M\xFCller",   "a, b",     "\"q\"",  "x",      "",       "\xEF\xBB\xBFmark",
    };
    static const char *const kEnds[] = {"\r\n", "\n", "\r"};
    QRandomGenerator random(seed);
    QByteArray bytes = "\xEF\xBB\xBF";
    for (int line = 0; line < 300; ++line) {
        const bool quoted = random.bounded(2) == 0;
        QByteArray text = "Disc " + QByteArray::number(random.bounded(5)) + " - \\dir\\";
        for (int w = random.bounded(4); w >= 0; --w)
            text += kWords[random.bounded(int(std::size(kWords)))];
        bytes += quoted ? '"' + text + '"' : text;
        bytes += kEnds[random.bounded(3)];
    }
    return bytes;
}

} // namespace

class TestPieceSearch : public QObject
{
    Q_OBJECT

private slots:
    void findsWhatOneReadingFinds_data();
    void findsWhatOneReadingFinds();
    void recordTooLongIsNumberedAsInOneReading();
};

void TestPieceSearch::findsWhatOneReadingFinds_data()
{
    QTest::addColumn<QByteArray>("catalog");
    QTest::addColumn<QString>("text");
    const QByteArray mixed = mixedCatalog(7);
    for (const char *text : {"setup", "σ", "οδυσσεας", "データ", "ёлка", "müller", "mark", "d"})
        QTest::newRow(text) << mixed << QString::fromUtf8(text);
    QTest::newRow("other seed") << mixedCatalog(11) << QStringLiteral("ДАННЫЕ ёлка");
    // Cut between CR and LF, after a lone CR, at the very end.
    QTest::newRow("CR LF")
        << QByteArray("\"a - x\"\r\n\"a - y\"\r\n\r\n\"a - xy\"\r\n") << QStringLiteral("x");
    QTest::newRow("lone CRs") << QByteArray("x\r\rx\r\n\rx\r") << QStringLiteral("x");
    QTest::newRow("no last line end") << QByteArray("x\nyx") << QStringLiteral("x");
    QTest::newRow("only a mark") << QByteArray("\xEF\xBB\xBF") << QStringLiteral("x");
    QTest::newRow("marks inside") << QByteArray("\xEF\xBB\xBFx\n\xEF\xBB\xBFx\n\xEF\xBB")
                                  << QStringLiteral("x");
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("x");
}

void TestPieceSearch::findsWhatOneReadingFinds()
{
    QFETCH(QByteArray, catalog);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.cdc"));
    writeFile(dir.path(), QStringLiteral("c.cdc"), catalog);
    const Matcher matcher(text);
    RuntimeError wholeError;
    const std::string expected = wholeFileHits(path, matcher, wholeError);
    QVERIFY(!wholeError);
    const long long expectedCount = std::count(expected.begin(), expected.end(), '\n');
    // Pieces of one to three bytes cut at every line start of the short
    // rows; of seven, at nearly every one of the long ones.
    std::vector<qint64> sizes{7, 64, 1000, 1 << 20};
    if (catalog.size() < 200)
        sizes.insert(sizes.end(), {1, 2, 3});
    for (const qint64 pieceBytes : sizes) {
        for (const int threads : {1, 2, 3}) {
            PieceSearch search(matcher);
            search.setPieceBytes(pieceBytes);
            search.setThreads(threads);
            for (const bool keep : {true, false}) {
                search.setKeepLines(keep);
                std::string lines;
                long long count = 0;
                const RuntimeError error = search.run(path, [&](const PieceHits &hits) {
                    lines += hits.lines;
                    count += hits.count;
                    return true;
                });
                const QByteArray where = QByteArray::number(pieceBytes) + " bytes, "
                    + QByteArray::number(threads) + " threads";
                QVERIFY2(!error, where);
                QVERIFY2(lines == (keep ? expected : std::string()), where);
                QVERIFY2(count == expectedCount, where);
            }
        }
    }
}

void TestPieceSearch::recordTooLongIsNumberedAsInOneReading()
{
    // The long record lies in a later piece, behind lines a skip passes
    // over; the lines holding the text before it are handed on first.
    QByteArray catalog;
    for (int i = 0; i < 3000; ++i)
        catalog += i % 1000 == 5 ? "\"a - hit\"\r\n" : "\"a - other\"\r\n";
    catalog += '"' + QByteArray(int(kMaxRecordBytes) + 10, 'z') + "\"\r\n\"a - hit\"\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.cdc"));
    writeFile(dir.path(), QStringLiteral("c.cdc"), catalog);
    const Matcher matcher(QStringLiteral("hit"));
    RuntimeError expected;
    wholeFileHits(path, matcher, expected);
    QCOMPARE(expected.description(), recordTooLongError(3001).description());
    for (const int threads : {1, 2}) {
        PieceSearch search(matcher);
        search.setPieceBytes(1000);
        search.setThreads(threads);
        long long count = 0;
        const RuntimeError error = search.run(path, [&](const PieceHits &hits) {
            count += hits.count;
            return true;
        });
        QCOMPARE(error.description(), expected.description());
        QCOMPARE(count, 3LL);
    }
}

QTEST_GUILESS_MAIN(TestPieceSearch)
#include "tst_session_piecesearch.moc"
