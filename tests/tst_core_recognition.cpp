// Recognising a scanned disc among the discs of a catalog: what counts as a
// shared line, which discs come first, the 90% rule, and a cancelled
// comparison. The comparison on a task: tst_session_discscan.

#include "FailDevice.h"
#include "TestSupport.h"
#include "discs/DiscRecognition.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// Records of a disc: "\F<from>" up to "\F<to - 1>".
QByteArray disc(const char *name, int from, int to)
{
    QByteArray bytes;
    for (int i = from; i < to; ++i)
        bytes += QByteArray("\"") + name + " - \\F" + QByteArray::number(i) + "\"\r\n";
    return bytes;
}

QStringList scanOf(int from, int to, const QStringList &more = {})
{
    QStringList lines;
    for (int i = from; i < to; ++i)
        lines << QStringLiteral("\\F%1").arg(i);
    return lines + more;
}

// "disc shared discFiles", best first.
QStringList rows(const DiscRecognition &recognition)
{
    QStringList rows;
    for (const DiscLikeness &d : recognition.best())
        rows << QStringLiteral("%1 %2 %3").arg(d.disc).arg(d.shared).arg(d.discFiles);
    return rows;
}

} // namespace

class TestRecognition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void comparesWithEveryDisc_data()
    {
        QTest::addColumn<QByteArray>("catalog");
        QTest::addColumn<QStringList>("scan");
        QTest::addColumn<QStringList>("best");
        QTest::addColumn<bool>("same");

        const QByteArray photos = disc("Photos", 100, 110);
        QTest::newRow("the same disc") << disc("Games 1", 0, 20) + photos << scanOf(0, 20)
                                       << QStringList{"Games 1 20 20"} << true;
        QTest::newRow("changed: one file gone, one new")
            << photos + disc("Games 1", 0, 20) << scanOf(1, 20, {"\\NEW"})
            << QStringList{"Games 1 19 20"} << true;
        QTest::newRow("changed more: three of twenty new")
            << disc("Games 1", 0, 20) << scanOf(3, 20, {"\\N1", "\\N2", "\\N3"})
            << QStringList{"Games 1 17 20"} << false;
        QTest::newRow("an unrelated disc") << disc("Games 1", 0, 20) + photos << scanOf(50, 60)
                                           << QStringList{} << false;
        QTest::newRow("an empty scan") << disc("Games 1", 0, 20) << QStringList{} << QStringList{} << false;
        QTest::newRow("an empty catalog") << QByteArray() << scanOf(0, 5) << QStringList{} << false;

        // The 90% rule, on the disc's side and on the scan's.
        QTest::newRow("90% of the disc's files, all of the scan's")
            << disc("D", 0, 100) << scanOf(0, 90) << QStringList{"D 90 100"} << true;
        QTest::newRow("just under 90% of the disc's files")
            << disc("D", 0, 101) << scanOf(0, 90) << QStringList{"D 90 101"} << false;
        QTest::newRow("all the disc's files, 90% of the scan's")
            << disc("D", 0, 90) << scanOf(0, 100) << QStringList{"D 90 90"} << true;
        QTest::newRow("all the disc's files, under 90% of the scan's")
            << disc("D", 0, 9) << scanOf(0, 11) << QStringList{"D 9 9"} << false;

        // Best first, of two that share as many the one with fewer other
        // files, then in the order of the discs' first records; five at
        // most.
        QTest::newRow("ordering")
            << disc("A", 0, 5) + disc("B", 0, 3) + disc("C", 10, 13) + disc("D", 0, 7)
                   + disc("E", 0, 1) + disc("F", 0, 2) + disc("G", 50, 60)
            << scanOf(0, 13)
            << QStringList{"D 7 7", "A 5 5", "B 3 3", "C 3 3", "F 2 2"} << false;
        QTest::newRow("ties: fewer other files first")
            << disc("Big", 0, 50) + disc("Small", 0, 12) + disc("Exact", 0, 10) << scanOf(0, 10)
            << QStringList{"Exact 10 10", "Small 10 12", "Big 10 50"} << true;
        // A disc appended twice under one name is one disc: its files count
        // twice, its shared lines once.
        QTest::newRow("a disc appended twice")
            << disc("Games 1", 0, 10) + photos + disc("Games 1", 0, 10) << scanOf(0, 10)
            << QStringList{"Games 1 10 20"} << false;
        QTest::newRow("a disc in two halves")
            << disc("Games 1", 0, 10) + photos + disc("Games 1", 10, 20) << scanOf(0, 20)
            << QStringList{"Games 1 20 20"} << true;

        // Names and records as the reader takes them.
        QTest::newRow("names that start alike")
            << disc("Games 1", 0, 3) + disc("Games 10", 0, 4) + disc("Games 1 - x", 0, 2)
                   + disc("Games 1", 3, 4)
            << scanOf(0, 4) << QStringList{"Games 1 4 4", "Games 10 4 4", "Games 1 - x 2 2"} << true;
        QTest::newRow("records of an older version in Windows-1252")
            << QByteArray("\"Caf\xE9 - \\M\xFCller.txt\"\r\n\"Caf\xE9 - \\B\"\r\n")
            << QStringList{QString::fromUtf8("\\Müller.txt"), "\\B"}
            << QStringList{QString::fromUtf8("Café 2 2")} << true;
        // Records outside ASCII common enough that their run is checked at
        // once: UTF-8 throughout, and with a Windows-1252 record after them.
        QTest::newRow("a run of UTF-8 records")
            << disc("Диск", 0, 40) << scanOf(0, 40) << QStringList{QString::fromUtf8("Диск 40 40")} << true;
        QTest::newRow("Windows-1252 among many UTF-8 records")
            << disc("Диск", 0, 40) + QByteArray("\"Caf\xE9 - \\M\xFCller.txt\"\r\n")
            << scanOf(0, 2, {QString::fromUtf8("\\Müller.txt")})
            << QStringList{QString::fromUtf8("Диск 2 40"), QString::fromUtf8("Café 1 1")} << false;
        QTest::newRow("LF, CR, a byte-order mark, blank lines, unquoted fields")
            << QByteArray("\xEF\xBB\xBF\"D - \\F0\"\n\n\"D - \\F1\"\rD - \\F2,D - \\F3\r\n  \"D - \\F4\"  ")
            << scanOf(0, 5) << QStringList{"D 5 5"} << true;
        QTest::newRow("hand-made lines without a disc are no disc")
            << QByteArray("\\F0\r\n\\F1\r\nnothing\r\n") + disc("D", 0, 2) << scanOf(0, 2)
            << QStringList{"D 2 2"} << true;
        QTest::newRow("a path of the scan on another disc")
            << disc("A", 0, 1) + disc("B", 0, 10) << scanOf(0, 10)
            << QStringList{"B 10 10", "A 1 1"} << true;
    }
    void comparesWithEveryDisc()
    {
        QFETCH(QByteArray, catalog);
        QFETCH(QStringList, scan);
        QFETCH(QStringList, best);
        QFETCH(bool, same);
        DiscRecognition recognition(toStore(scan));
        QBuffer buffer(&catalog);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QVERIFY(!recognition.compareWith(buffer));
        QCOMPARE(rows(recognition), best);
        QCOMPARE(recognition.isSameDisc(), same);
        QCOMPARE(recognition.scanFiles(), qsizetype(scan.size()));
    }

    // A catalog of many chunks, the disc in its middle; then the same catalog
    // read from a file.
    void largeCatalogFromAFile()
    {
        QTemporaryDir dir;
        const QByteArray catalog = disc("Before", 0, 60000) + disc("Games 1", 0, 3000)
            + disc("After", 2990, 60000);
        writeFile(dir.path(), "cat.cdc", catalog);
        DiscRecognition recognition(toStore(scanOf(0, 3000)));
        QVERIFY(!recognition.compareWith(dir.filePath("cat.cdc")));
        QCOMPARE(rows(recognition),
                 (QStringList{"Games 1 3000 3000", "Before 3000 60000", "After 10 57010"}));
        QVERIFY(recognition.isSameDisc());

        QCOMPARE(recognition.compareWith(dir.filePath("none.cdc")).number(), 53);
        // A device that fails part-way is an error, not a result.
        FailDevice failing(200000, nullptr, catalog);
        QVERIFY(failing.open(QIODevice::ReadOnly));
        QVERIFY(recognition.compareWith(failing).isError());
    }

    void cancelledComparisonHasNoResult()
    {
        QByteArray catalog = disc("Games 1", 0, 10);
        QBuffer buffer(&catalog);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        DiscRecognition recognition(toStore(scanOf(0, 10)));
        const std::atomic<bool> cancel{true};
        QVERIFY(!recognition.compareWith(buffer, &cancel));
        QVERIFY(recognition.wasCancelled());
        QVERIFY(recognition.best().empty());
        QVERIFY(!recognition.isSameDisc());
    }
};

QTEST_GUILESS_MAIN(TestRecognition)
#include "tst_core_recognition.moc"
