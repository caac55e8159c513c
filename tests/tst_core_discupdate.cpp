// Bringing one disc of a catalog up to date: which records are the disc's,
// what changes, that every other byte stays, and that nothing is lost when
// the update fails or is refused.

#include "FailDevice.h"
#include "TestSupport.h"
#include "catalog/CatalogFile.h"
#include "catalog/CatalogSave.h"
#include "catalog/DiscUpdate.h"
#include "core/ProgramTexts.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

Q_DECLARE_METATYPE(kobrix::DiscUpdate::Problem)

namespace {

// A record as the writers make it.
QByteArray record(const char *line) { return QByteArray("\"") + line + "\"\r\n"; }

QStringList lines(const LineStore &store) { return toStringList(store); }

QStringList addedOf(const DiscUpdate &update)
{
    QStringList added;
    for (const qsizetype i : update.addedLines())
        added << update.listing().at(i);
    return added;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Other discs around the one updated: a megabyte and a half of records, so
// that the update's reading and writing go over several chunks.
QByteArray manyOtherRecords(const char *disc, int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += QByteArray("\"") + disc + " - \\FOLDER\\FILE" + QByteArray::number(i) + ".DAT\"\r\n";
    return bytes;
}

} // namespace

class TestDiscUpdate : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString catalogWith(const QByteArray &bytes)
    {
        writeFile(m_dir.path(), "cat.cdc", bytes);
        return m_dir.filePath("cat.cdc");
    }

private Q_SLOTS:
    // The catalog before and after, byte for byte, and the changes shown
    // before writing. "before" and "after" hold the bytes around the disc,
    // which must come through untouched.
    void replacesTheDiscAndKeepsEveryOtherByte_data()
    {
        QTest::addColumn<QByteArray>("catalog");
        QTest::addColumn<QString>("disc");
        QTest::addColumn<QStringList>("listing");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<int>("unchanged");

        const QByteArray before = record("Music 1 - \\A.MP3");
        const QByteArray after = record("Photos, 2002 - \\IMG001.JPG");
        QTest::newRow("adds, removes and keeps files")
            << before + record("Games 1 - \\SETUP.EXE") + record("Games 1 - \\DATA\\LEVEL1.DAT") + after
            << "Games 1" << QStringList{"\\DATA\\LEVEL1.DAT", "\\DATA\\LEVEL2.DAT"}
            << before + record("Games 1 - \\DATA\\LEVEL1.DAT") + record("Games 1 - \\DATA\\LEVEL2.DAT") + after
            << QStringList{"\\DATA\\LEVEL2.DAT"} << QStringList{"\\SETUP.EXE"} << 1;
        QTest::newRow("appended twice: replaced at the first place, gone from the second")
            << record("Games 1 - \\A") + before + record("Games 1 - \\B") + after
            << "Games 1" << QStringList{"\\A", "\\C"}
            << record("Games 1 - \\A") + record("Games 1 - \\C") + before + after
            << QStringList{"\\C"} << QStringList{"\\B"} << 1;
        QTest::newRow("a path held twice is a multiset")
            << record("Games 1 - \\A") + record("Games 1 - \\A") + after << "Games 1"
            << QStringList{"\\A", "\\B"} << record("Games 1 - \\A") + record("Games 1 - \\B") + after
            << QStringList{"\\B"} << QStringList{"\\A"} << 1;
        // Line ends of every kind, a record of an older version in
        // Windows-1252, a byte-order mark and a hand-made line stay.
        const QByteArray mixedBefore = QByteArray("\xEF\xBB\xBF\"Old - \\Caf\xE9.txt\"\n"
                                                  "hand made, two fields\r"
                                                  "\r\n");
        const QByteArray mixedAfter = QByteArray("\"Other - \\X\"\n\"Last - \\\xFF\"");
        QTest::newRow("LF, CR, CR LF and Windows-1252 bytes around")
            << mixedBefore + "\"Games 1 - \\A\"\n" + mixedAfter << "Games 1"
            << QStringList{"\\A", "\\B"}
            << mixedBefore + record("Games 1 - \\A") + record("Games 1 - \\B") + mixedAfter
            << QStringList{"\\B"} << QStringList{} << 1;
        QTest::newRow("the disc first, behind a byte-order mark")
            << QByteArray("\xEF\xBB\xBF") + record("Games 1 - \\A") + after << "Games 1"
            << QStringList{"\\B"} << QByteArray("\xEF\xBB\xBF") + record("Games 1 - \\B") + after
            << QStringList{"\\B"} << QStringList{"\\A"} << 0;
        QTest::newRow("the disc last, without a final line end")
            << before + "\"Games 1 - \\A\"" << "Games 1" << QStringList{"\\A"}
            << before + record("Games 1 - \\A") << QStringList{} << QStringList{} << 1;
        QTest::newRow("records of an older version in Windows-1252")
            << before + QByteArray("\"Caf\xE9 - \\M\xFCller.txt\"\r\n") + after
            << QString::fromUtf8("Café") << QStringList{QString::fromUtf8("\\Müller.txt")}
            << before + record("Café - \\Müller.txt") + after << QStringList{} << QStringList{} << 1;
        QTest::newRow("a name holding \" - \"")
            << before + record("Photos - 2002 - \\A") + record("Photos - \\B") << "Photos - 2002"
            << QStringList{"\\C"} << before + record("Photos - 2002 - \\C") + record("Photos - \\B")
            << QStringList{"\\C"} << QStringList{"\\A"} << 0;
        QTest::newRow("names that start alike are other discs")
            << record("Games 10 - \\A") + record("Games 1 - \\A") + record("XGames 1 - \\A")
                   + record("Games 1 - x - \\A")
            << "Games 1" << QStringList{"\\B"}
            << record("Games 10 - \\A") + record("Games 1 - \\B") + record("XGames 1 - \\A")
                   + record("Games 1 - x - \\A")
            << QStringList{"\\B"} << QStringList{"\\A"} << 0;
        // By the reader's rules a quoted field followed by only blanks
        // ends at the line's last quote, so two fields need the second
        // unquoted.
        QTest::newRow("hand-made forms of the disc's records")
            << before + "Games 1 - \\A\r\n  \"Games 1 - \\B\"  \r\n\"Games 1 - \\C\",Games 1 - \\D\r\n"
                   + after
            << "Games 1" << QStringList{"\\A", "\\B", "\\C", "\\D"}
            << before + record("Games 1 - \\A") + record("Games 1 - \\B") + record("Games 1 - \\C")
                   + record("Games 1 - \\D") + after
            << QStringList{} << QStringList{} << 4;
        QTest::newRow("a control character typed in the name")
            << before + record("Tab\xEF\xBF\xBDName - \\A") << "Tab\tName" << QStringList{"\\A"}
            << before + record("Tab\xEF\xBF\xBDName - \\A") << QStringList{} << QStringList{} << 1;
        QTest::newRow("between large discs")
            << manyOtherRecords("Big 1", 30000) + record("Games 1 - \\A")
                   + manyOtherRecords("Big 2", 30000)
            << "Games 1" << QStringList{"\\B"}
            << manyOtherRecords("Big 1", 30000) + record("Games 1 - \\B")
                   + manyOtherRecords("Big 2", 30000)
            << QStringList{"\\B"} << QStringList{"\\A"} << 0;
    }
    void replacesTheDiscAndKeepsEveryOtherByte()
    {
        QFETCH(QByteArray, catalog);
        QFETCH(QString, disc);
        QFETCH(QStringList, listing);
        QFETCH(QByteArray, expected);
        QFETCH(QStringList, added);
        QFETCH(QStringList, removed);
        QFETCH(int, unchanged);
        const LineStore store = toStore(listing);

        // Prepared, as the window does it: the changes are known before
        // anything is written.
        const QString file = catalogWith(catalog);
        DiscUpdate update(file, disc, store);
        QCOMPARE(update.prepare(), DiscUpdate::Problem::None);
        QCOMPARE(readFile(file), catalog);
        QCOMPARE(addedOf(update), added);
        QCOMPARE(lines(update.removedPaths()), removed);
        QCOMPARE(update.unchangedCount(), qsizetype(unchanged));
        QCOMPARE(update.addedCount() + update.unchangedCount(), store.count());
        QCOMPARE(update.recordCount(), update.removedCount() + update.unchangedCount());
        QCOMPARE(update.apply(), DiscUpdate::Problem::None);
        QCOMPARE(readFile(file), expected);
        QCOMPARE(filesIn(m_dir.path()), QStringList{"cat.cdc"});
        QVERIFY(!CatalogSlot::isBusy());

        // Unprepared, as kobrix-cli does it: the same bytes, the same changes.
        writeFile(m_dir.path(), "cat.cdc", catalog);
        DiscUpdate direct(file, disc, store);
        QCOMPARE(direct.apply(), DiscUpdate::Problem::None);
        QCOMPARE(readFile(file), expected);
        QCOMPARE(addedOf(direct), added);
        QCOMPARE(lines(direct.removedPaths()), removed);
        QCOMPARE(direct.unchangedCount(), qsizetype(unchanged));

        // The updated catalog reads back as the other discs' lines with the
        // new listing at the disc's place.
        LineStore read;
        QVERIFY(!readCatalog(file, read, ExistingLines::Clear));
        QVERIFY(read.count() >= store.count());
    }

    // An update that cannot go on says why and leaves the catalog as it was,
    // prepared or not.
    void refusesAndKeepsTheCatalog_data()
    {
        QTest::addColumn<QByteArray>("catalog");
        QTest::addColumn<QString>("disc");
        QTest::addColumn<DiscUpdate::Problem>("problem");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");

        const QByteArray games = record("Games 1 - \\A") + record("Photos - \\B");
        QTest::newRow("no such disc") << games << "Games 2" << DiscUpdate::Problem::UnknownDisc
                                      << ProgramTexts::unknownDisc("Games 2", "cat.cdc") << 0;
        QTest::newRow("names differ in case") << games << "games 1" << DiscUpdate::Problem::UnknownDisc
                                              << ProgramTexts::unknownDisc("games 1", "cat.cdc") << 0;
        QTest::newRow("a disc's name without its number") << games << "Games"
                                                          << DiscUpdate::Problem::UnknownDisc
                                                          << ProgramTexts::unknownDisc("Games", "cat.cdc")
                                                          << 0;
        QTest::newRow("an empty catalog") << QByteArray() << "Games 1" << DiscUpdate::Problem::UnknownDisc
                                          << ProgramTexts::unknownDisc("Games 1", "cat.cdc") << 0;
        // A line with a record of the disc and one of another: taking out
        // the one would change the other, keeping it would keep the disc's.
        QTest::newRow("a line shared with another disc")
            << games + "Games 1 - \\C,\"Other - \\D\"\r\n" << "Games 1"
            << DiscUpdate::Problem::SharedLine << ProgramTexts::sharedDiscLine("Games 1", 3) << 0;
        QTest::newRow("a line shared with an empty field")
            << QByteArray("\n\n\"Games 1 - \\C\",\n") << "Games 1" << DiscUpdate::Problem::SharedLine
            << ProgramTexts::sharedDiscLine("Games 1", 3) << 0;
        QTest::newRow("a line longer than any record")
            << games + "\"Games 1 - \\" + QByteArray(int(kMaxRecordBytes), 'x') + "\"\r\n" << "Games 1"
            << DiscUpdate::Problem::CatalogError << QString() << 59;
    }
    void refusesAndKeepsTheCatalog()
    {
        QFETCH(QByteArray, catalog);
        QFETCH(QString, disc);
        QFETCH(DiscUpdate::Problem, problem);
        QFETCH(QString, text);
        QFETCH(int, error);
        const QString file = catalogWith(catalog);
        const LineStore listing = toStore({"\\NEW"});
        QDir::setCurrent(m_dir.path()); // the catalog named as the user typed it
        for (const bool prepared : {true, false}) {
            DiscUpdate update("cat.cdc", disc, listing);
            const DiscUpdate::Problem found = prepared ? update.prepare() : update.apply();
            QCOMPARE(found, problem);
            QCOMPARE(update.error().number(), error);
            if (!text.isEmpty())
                QCOMPARE(update.problemText(found), text);
            QCOMPARE(readFile(file), catalog);
            QCOMPARE(filesIn(m_dir.path()), QStringList{"cat.cdc"});
            QVERIFY(!CatalogSlot::isBusy());
        }
    }

    void missingCatalogIsAnError()
    {
        const LineStore listing = toStore({"\\A"});
        DiscUpdate update(m_dir.filePath("none.cdc"), "Games 1", listing);
        QCOMPARE(update.prepare(), DiscUpdate::Problem::CatalogError);
        QCOMPARE(update.error().number(), 53);
        QCOMPARE(update.apply(), DiscUpdate::Problem::CatalogError);
        QCOMPARE(update.error().number(), 53);
        QVERIFY(!QFile::exists(m_dir.filePath("none.cdc")));
    }

    // Between showing the changes and writing them, another program may
    // change the catalog: a change to the disc's records stops the update,
    // anything else is kept and the update goes through.
    void catalogChangedMeanwhile_data()
    {
        QTest::addColumn<QByteArray>("changed");
        QTest::addColumn<bool>("refused");
        const QByteArray games = record("Games 1 - \\A") + record("Photos - \\B");
        QTest::newRow("a record of the disc added") << games + record("Games 1 - \\Z") << true;
        QTest::newRow("a record of the disc gone") << record("Photos - \\B") << true;
        QTest::newRow("a record of the disc changed") << record("Games 1 - \\Y") + record("Photos - \\B") << true;
        QTest::newRow("now on a shared line")
            << QByteArray("Games 1 - \\A,\"Photos - \\B\"\r\n") << true;
        QTest::newRow("now one field with another's") // its path is now \A","Photos - \B
            << QByteArray("\"Games 1 - \\A\",\"Photos - \\B\"\r\n") << true;
        QTest::newRow("another disc appended") << games + record("Music - \\C") << false;
    }
    void catalogChangedMeanwhile()
    {
        QFETCH(QByteArray, changed);
        QFETCH(bool, refused);
        const QString file = catalogWith(record("Games 1 - \\A") + record("Photos - \\B"));
        const LineStore listing = toStore({"\\NEW"});
        DiscUpdate update(file, "Games 1", listing);
        QCOMPARE(update.prepare(), DiscUpdate::Problem::None);
        writeFile(m_dir.path(), "cat.cdc", changed);
        if (refused) {
            QCOMPARE(update.apply(), DiscUpdate::Problem::CatalogChanged);
            QCOMPARE(update.problemText(DiscUpdate::Problem::CatalogChanged),
                     ProgramTexts::catalogChangedMeanwhile());
            QCOMPARE(readFile(file), changed);
        } else {
            QCOMPARE(update.apply(), DiscUpdate::Problem::None);
            QCOMPARE(readFile(file), record("Games 1 - \\NEW") + record("Photos - \\B")
                                         + record("Music - \\C"));
        }
        QCOMPARE(filesIn(m_dir.path()), QStringList{"cat.cdc"});
    }

    // A write that fails part-way, at any point of the catalog: before the
    // disc, inside its new records, behind them; the old catalog stays and
    // nothing is left beside it. Then the same update goes through.
    void failurePartWayKeepsTheOldCatalog_data()
    {
        QTest::addColumn<qint64>("limit");
        QTest::newRow("nothing written") << qint64(0);
        QTest::newRow("in the first record") << qint64(7);
        QTest::newRow("in the records before the disc") << qint64(1200000);
        QTest::newRow("in the disc's new records") << qint64(2000000);
        QTest::newRow("in the records behind the disc") << qint64(3000000);
        QTest::newRow("one byte short") << qint64(-1);
    }
    void failurePartWayKeepsTheOldCatalog()
    {
        QFETCH(qint64, limit);
        const QByteArray catalog = manyOtherRecords("Big 1", 50000) + record("Games 1 - \\A")
            + manyOtherRecords("Big 2", 50000);
        const QString file = catalogWith(catalog);
        const LineStore listing = bigListing(20000); // about 600 KB of new records
        DiscUpdate update(file, "Games 1", listing);
        QCOMPARE(update.prepare(), DiscUpdate::Problem::None);

        QBuffer whole;
        whole.open(QIODevice::WriteOnly);
        QFile old(file);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QVERIFY(!update.writeUpdated(old, whole));
        old.close();
        if (limit < 0)
            limit = whole.size() - 1;
        QVERIFY(limit < whole.size());

        const RuntimeError error = editCatalog(file, [&](QIODevice &from, QIODevice &out) {
            FailDevice failing(limit, &out);
            failing.open(QIODevice::WriteOnly);
            return update.writeUpdated(from, failing);
        });
        QCOMPARE(error.number(), 57);
        QCOMPARE(readFile(file), catalog);
        QCOMPARE(filesIn(m_dir.path()), QStringList{"cat.cdc"});
        QVERIFY(!CatalogSlot::isBusy());

        QCOMPARE(update.apply(), DiscUpdate::Problem::None);
        QCOMPARE(readFile(file), whole.data());
    }

    // The old catalog fails while it is read: the error comes back and no
    // new catalog is made of what was read before.
    void readFailureIsReported_data()
    {
        QTest::addColumn<qint64>("limit");
        QTest::newRow("at once") << qint64(0);
        QTest::newRow("before the disc") << qint64(500000);
        QTest::newRow("behind the disc") << qint64(2000000);
    }
    void readFailureIsReported()
    {
        QFETCH(qint64, limit);
        const QByteArray catalog = manyOtherRecords("Big 1", 30000) + record("Games 1 - \\A")
            + manyOtherRecords("Big 2", 60000);
        const LineStore listing = toStore({"\\B"});
        DiscUpdate update(catalogWith(catalog), "Games 1", listing);
        QCOMPARE(update.prepare(), DiscUpdate::Problem::None);
        FailDevice old(limit, nullptr, catalog);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(update.writeUpdated(old, out).isError());
        QCOMPARE(update.editProblem(), DiscUpdate::Problem::None);
    }
};

QTEST_GUILESS_MAIN(TestDiscUpdate)
#include "tst_core_discupdate.moc"
