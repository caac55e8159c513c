// Walking on a worker thread: same listing as a walk in place, progress
// while it runs, and a cancel that stops it part-way.

#include "TestSupport.h"
#include "scan/BackgroundScan.h"
#include "scan/DiscWalker.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <functional>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// Reads the folders, and after the given number of reads asks for the walk
// to stop, the way the window's Cancel button does while a folder is read.
class CancellingReader : public FolderReader
{
public:
    RuntimeError read(const QByteArray &path, bool isRoot, DirectoryListing &listing) override
    {
        if (++reads == cancelAfter)
            requestCancel();
        return FolderReader::read(path, isRoot, listing);
    }
    int reads = 0;
    int cancelAfter = 0;
    std::function<void()> requestCancel;
};

} // namespace

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

    // A walk stopped in place and a scan stopped on its thread end alike:
    // cancelled, with no error, keeping the lines found so far; a cancel
    // that comes after the last folder changes nothing.
    void cancelMeansTheSame_data()
    {
        QTest::addColumn<QString>("how"); // "flag", "walker" or "background"
        QTest::addColumn<int>("cancelAfter"); // folder reads
        QTest::addColumn<bool>("cancelled");
        for (const char *how : {"flag", "walker", "background"}) {
            QTest::addRow("%s, part-way", how) << QString::fromLatin1(how) << 3 << true;
            QTest::addRow("%s, after the last folder", how) << QString::fromLatin1(how) << 121 << false;
        }
    }
    void cancelMeansTheSame()
    {
        QFETCH(QString, how);
        QFETCH(int, cancelAfter);
        QFETCH(bool, cancelled);
        CancellingReader reader;
        reader.cancelAfter = cancelAfter;
        QStringList lines;
        RuntimeError error;
        bool wasCancelled = false;
        if (how == QLatin1String("background")) {
            BackgroundScan scan;
            reader.requestCancel = [&scan] { scan.cancel(); };
            QSignalSpy finished(&scan, &BackgroundScan::finished);
            scan.start(reader, m_disc.path());
            QVERIFY(finished.wait(10000));
            lines = toStringList(scan.listing());
            error = scan.error();
            wasCancelled = scan.wasCancelled();
        } else {
            LineStore dirs, listing;
            DiscWalker walker(reader, m_disc.path(), dirs, listing);
            std::atomic<bool> flag{false};
            reader.requestCancel = [&flag] { flag = true; };
            if (how == QLatin1String("flag")) {
                QCOMPARE(walker.run(&flag).number(), 0);
            } else {
                // Stepped by its owner, who cancels between two folders.
                while (walker.step()) {
                    if (flag)
                        walker.cancel();
                }
            }
            QVERIFY(walker.isFinished());
            lines = toStringList(listing);
            error = walker.error();
            wasCancelled = walker.wasCancelled();
        }
        QCOMPARE(reader.reads, cancelled ? cancelAfter : 121);
        QCOMPARE(wasCancelled, cancelled);
        QCOMPARE(error.number(), 0);
        QCOMPARE(error.description(), QString());
        QCOMPARE(lines.size(), cancelled ? 1 : 301);
        QCOMPARE(lines.first(), QStringLiteral("\\ROOT.TXT"));
    }

    void destroyedWhileRunning()
    {
        auto scan = std::make_unique<BackgroundScan>();
        scan->start(std::make_unique<SlowReader>(std::chrono::milliseconds(5)), m_disc.path());
        scan.reset(); // must stop the worker and not crash later
        // Whatever the worker posted before it ended reaches no one.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
};

QTEST_GUILESS_MAIN(TestBackgroundScan)
#include "tst_core_backgroundscan.moc"
