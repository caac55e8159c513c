// Updating a disc where only POSIX systems set the scene: a file system that
// refuses to grow the file part-way (a file size limit), a catalog reached
// through a symbolic link (rewritten in place), and another program holding
// the catalog's lock.

#include "TestSupport.h"
#include "TestSupport_posix.h"
#include "catalog/CatalogSlot.h"
#include "catalog/DiscUpdate.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

namespace {

QByteArray otherDisc(int records)
{
    QByteArray bytes;
    for (int i = 0; i < records; ++i)
        bytes += "\"Other - \\FOLDER\\FILE" + QByteArray::number(i) + ".DAT\"\n"; // LF only
    return bytes;
}

} // namespace

class TestDiscUpdatePosix : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The file system refuses to take the catalog beyond 1.5 MB, which the
    // old catalog (1 MB) is not and the updated one (2 MB) would be.
    void fileSystemFailurePartWayKeepsTheCatalog_data()
    {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("replaced") << false;
        QTest::newRow("rewritten in place, through a link") << true;
    }
    void fileSystemFailurePartWayKeepsTheCatalog()
    {
        QFETCH(bool, throughLink);
        QTemporaryDir dir;
        const QByteArray catalog = otherDisc(15000) + "\"Games 1 - \\A\"\r\n" + otherDisc(15000);
        QVERIFY(catalog.size() > 900000 && catalog.size() < 1100000);
        writeFile(dir.path(), "cat.cdc", catalog);
        QString path = dir.filePath("cat.cdc");
        if (throughLink) {
            makeLink(dir.path(), "link.cdc", "cat.cdc");
            path = dir.filePath("link.cdc");
        }
        const LineStore listing = bigListing(35000); // about 1 MB of new records
        DiscUpdate update(path, "Games 1", listing);
        QCOMPARE(update.prepare(), DiscUpdate::Problem::None);
        DiscUpdate::Problem problem;
        {
            FileSizeLimit limit(1500000);
            problem = update.apply();
        }
        QCOMPARE(problem, DiscUpdate::Problem::CatalogError);
        QCOMPARE(update.error().number(), 61);
        QCOMPARE(readFile(dir.filePath("cat.cdc")), catalog);
        QStringList expected{"cat.cdc"};
        if (throughLink)
            expected << "link.cdc";
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden
                                            | QDir::NoDotAndDotDot),
                 expected);
        QVERIFY(!CatalogSlot::isBusy());

        // Without the limit the same update goes through, and a link still
        // leads to the catalog.
        QCOMPARE(update.apply(), DiscUpdate::Problem::None);
        const QByteArray updated = readFile(dir.filePath("cat.cdc"));
        QVERIFY(updated.startsWith(otherDisc(15000) + "\"Games 1 - \\DATA\\FILE0.DAT\"\r\n"));
        QVERIFY(updated.endsWith("\"Games 1 - \\DATA\\FILE34999.DAT\"\r\n" + otherDisc(15000)));
        QCOMPARE(QFileInfo(path).isSymbolicLink(), throughLink);
    }

    // Another program writing the catalog is waited for, then the update
    // gives up with 55 and changes nothing.
    void anotherWriterIsWaitedForThenRefused()
    {
        QTemporaryDir dir;
        const QByteArray catalog = "\"Games 1 - \\A\"\r\n";
        writeFile(dir.path(), "cat.cdc", catalog);
        const LineStore listing = toStore({"\\B"});
        DiscUpdate update(dir.filePath("cat.cdc"), "Games 1", listing);
        QCOMPARE(update.prepare(), DiscUpdate::Problem::None);
        HeldLock held(dir.filePath("cat.cdc"));
        QVERIFY(held.isHeld());
        QCOMPARE(update.apply(std::chrono::milliseconds(100)), DiscUpdate::Problem::CatalogError);
        QCOMPARE(update.error().number(), 55);
        QCOMPARE(readFile(dir.filePath("cat.cdc")), catalog);
        held.release();
        QCOMPARE(update.apply(), DiscUpdate::Problem::None);
        QCOMPARE(readFile(dir.filePath("cat.cdc")), QByteArray("\"Games 1 - \\B\"\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestDiscUpdatePosix)
#include "tst_core_discupdate_posix.moc"
