// Walking on a worker thread: same listing as a walk in place, progress
// while it runs, and a cancel that stops it part-way.

#include "TestSupport.h"
#include "scan/BackgroundScan.h"
#include "scan/DiscWalker.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

class TestBackgroundScan : public QObject
{
    Q_OBJECT

    QTemporaryDir m_disc;

private Q_SLOTS:
    void initTestCase()
    {
        for (int d = 0; d < 60; ++d)
            for (int f = 0; f < 5; ++f)
                writeFile(m_disc.path(), QStringLiteral("DIR%1/SUB/FILE%2.DAT").arg(d).arg(f));
        writeFile(m_disc.path(), "ROOT.TXT");
    }

    void sameListingAsInPlace_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<int>("number");
        QTest::newRow("disc") << QString() << 0;
        QTest::newRow("missing drive") << QStringLiteral("/nonexistent/kobrix") << 68;
    }
    void sameListingAsInPlace()
    {
        QFETCH(QString, root);
        QFETCH(int, number);
        if (root.isEmpty())
            root = m_disc.path();
        FolderReader reader;
        LineStore dirs, listing;
        DiscWalker walker(reader, root, dirs, listing);
        walker.run();

        BackgroundScan scan;
        QSignalSpy finished(&scan, &BackgroundScan::finished);
        scan.start(makeFolderReader(), root);
        QVERIFY(scan.isRunning());
        QVERIFY(finished.wait(10000));
        QVERIFY(!scan.isRunning());
        QVERIFY(!scan.wasCancelled());
        QCOMPARE(scan.error().number(), number);
        QCOMPARE(toStringList(scan.listing()), toStringList(listing));
        QCOMPARE(toStringList(scan.directories()), toStringList(dirs));
        QCOMPARE(scan.filesFound(), listing.count());
    }

    void progressAndCancel()
    {
        BackgroundScan scan;
        QSignalSpy finished(&scan, &BackgroundScan::finished);
        QSignalSpy progress(&scan, &BackgroundScan::progress);
        scan.start(std::make_unique<SlowReader>(std::chrono::milliseconds(5)), m_disc.path());
        QVERIFY(progress.wait(5000)); // reports while the walk is still running
        QVERIFY(scan.isRunning());
        scan.cancel();
        QVERIFY(finished.wait(5000));
        QVERIFY(scan.wasCancelled());
        QVERIFY(scan.listing().count() < 301);
        QCOMPARE(scan.listing().at(0), QStringLiteral("\\ROOT.TXT"));
    }

    void destroyedWhileRunning()
    {
        auto scan = std::make_unique<BackgroundScan>();
        scan->start(std::make_unique<SlowReader>(std::chrono::milliseconds(5)), m_disc.path());
        scan.reset(); // must stop the worker and not crash later
        QTest::qWait(20);
    }
};

QTEST_GUILESS_MAIN(TestBackgroundScan)
#include "tst_core_backgroundscan.moc"
