// The walk and the recognition of a disc as a task's work: the walk gives
// the listing a walk in place gives, reports its count while it runs and
// stops part-way on request; the recognition copies the listing when it is
// started and hands back the discs most alike; dropped work never reports.

#include "TestSupport.h"
#include "scan/DiscWalker.h"
#include "session/DiscScan.h"
#include "session/Task.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>

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

// Records of a disc in a catalog: "\F<from>" up to "\F<to - 1>".
QByteArray discRecords(const char *name, int from, int to)
{
    QByteArray bytes;
    for (int i = from; i < to; ++i)
        bytes += QByteArray("\"") + name + " - \\F" + QByteArray::number(i) + "\"\r\n";
    return bytes;
}

LineStore scanOf(int count)
{
    LineStore lines;
    for (int i = 0; i < count; ++i)
        lines.append(QStringLiteral("\\F%1").arg(i));
    return lines;
}

} // namespace

class TestDiscScan : public QObject
{
    Q_OBJECT

    QTemporaryDir m_disc;

    // Runs a scan on a task to its end.
    static ScanResult scanOnTask(Task &task, DirectoryReader &reader, const QString &root)
    {
        std::optional<ScanResult> result;
        task.run([&reader, root](TaskControl &control) { return scanDisc(reader, root, control); },
                 [&](ScanResult scan) { result = std::move(scan); });
        if (!QTest::qWaitFor([&] { return result.has_value(); }, 10000))
            return {};
        return std::move(*result);
    }

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

        Task task;
        QSignalSpy progress(&task, &Task::progressed);
        FolderReader taskReader;
        const ScanResult scan = scanOnTask(task, taskReader, root);
        QVERIFY(!task.isRunning());
        QVERIFY(!scan.cancelled);
        QCOMPARE(scan.error.number(), number);
        QCOMPARE(toStringList(scan.listing), toStringList(listing));
        QCOMPARE(toStringList(scan.directories), toStringList(dirs));
        QVERIFY(!progress.isEmpty()); // the count of files found, last at the end
        QCOMPARE(progress.last().at(0).toLongLong(), listing.count());
        // kobrix-cli runs the same work where it stands.
        FolderReader hereReader;
        const ScanResult here = Task::runHere(
            [&](TaskControl &control) { return scanDisc(hereReader, root, control); });
        QCOMPARE(toStringList(here.listing), toStringList(listing));
        QCOMPARE(here.error.number(), number);
    }

    void progressAndStop()
    {
        Task task;
        task.setProgressInterval(std::chrono::milliseconds(20));
        QSignalSpy progress(&task, &Task::progressed);
        SlowReader reader(std::chrono::milliseconds(5));
        std::optional<ScanResult> scan;
        task.run([&](TaskControl &control) { return scanDisc(reader, m_disc.path(), control); },
                 [&](ScanResult result) { scan = std::move(result); });
        QVERIFY(progress.wait(5000)); // reports while the walk is still running
        QVERIFY(task.isRunning());
        task.requestStop();
        QTRY_VERIFY_WITH_TIMEOUT(scan.has_value(), 5000);
        QVERIFY(scan->cancelled);
        QVERIFY(scan->listing.count() < 301);
        QCOMPARE(scan->listing.at(0), QStringLiteral("\\ROOT.TXT"));
    }

    // A walk stopped in place and a scan stopped on its task end alike:
    // cancelled, with no error, keeping the lines found so far; a stop that
    // comes after the last folder changes nothing.
    void stopMeansTheSame_data()
    {
        QTest::addColumn<QString>("how"); // "flag", "walker" or "task"
        QTest::addColumn<int>("cancelAfter"); // folder reads
        QTest::addColumn<bool>("cancelled");
        for (const char *how : {"flag", "walker", "task"}) {
            QTest::addRow("%s, part-way", how) << QString::fromLatin1(how) << 3 << true;
            QTest::addRow("%s, after the last folder", how) << QString::fromLatin1(how) << 121 << false;
        }
    }
    void stopMeansTheSame()
    {
        QFETCH(QString, how);
        QFETCH(int, cancelAfter);
        QFETCH(bool, cancelled);
        CancellingReader reader;
        reader.cancelAfter = cancelAfter;
        ScanResult scan;
        if (how == QLatin1String("task")) {
            Task task;
            reader.requestCancel = [&task] { task.requestStop(); };
            scan = scanOnTask(task, reader, m_disc.path());
        } else {
            DiscWalker walker(reader, m_disc.path(), scan.directories, scan.listing);
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
            scan.error = walker.error();
            scan.cancelled = walker.wasCancelled();
        }
        QCOMPARE(reader.reads, cancelled ? cancelAfter : 121);
        QCOMPARE(scan.cancelled, cancelled);
        QCOMPARE(scan.error.number(), 0);
        QCOMPARE(scan.error.description(), QString());
        QCOMPARE(scan.listing.count(), cancelled ? 1 : 301);
        QCOMPARE(scan.listing.at(0), QStringLiteral("\\ROOT.TXT"));
    }

    void destroyedWhileRunning()
    {
        bool delivered = false;
        {
            SlowReader reader(std::chrono::milliseconds(5));
            Task task;
            task.run([&](TaskControl &control) { return scanDisc(reader, m_disc.path(), control); },
                     [&](ScanResult) { delivered = true; });
        } // must stop the worker, and its end reach no one
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QVERIFY(!delivered);
    }

    // The listing is copied at the start; a new start replaces a running
    // one, whose result never arrives; a cancelled one never reports.
    void recognitionOnATask()
    {
        QTemporaryDir dir;
        writeFile(dir.path(), "cat.cdc",
                  discRecords("Other", 0, 200000) + discRecords("Games 1", 0, 100));
        const QString catalog = dir.filePath("cat.cdc");
        Task task;
        QList<RecognitionResult> results;
        auto record = [&](RecognitionResult result) { results.append(std::move(result)); };
        {
            LineStore listing = scanOf(100);
            task.run(recognitionWork(catalog, listing), record);
            listing.clear(); // the work has its own copy
        }
        QVERIFY(task.isRunning());
        QTRY_COMPARE_WITH_TIMEOUT(results.size(), 1, 10000);
        QVERIFY(!task.isRunning());
        QStringList rows;
        for (const DiscLikeness &d : results[0].best)
            rows << QStringLiteral("%1 %2 %3").arg(d.disc).arg(d.shared).arg(d.discFiles);
        QCOMPARE(rows, (QStringList{"Games 1 100 100", "Other 100 200000"}));
        QVERIFY(results[0].sameDisc);
        QCOMPARE(results[0].scanFiles, 100);
        QVERIFY(!results[0].error);
        QCOMPARE(results[0].catalogPath, catalog);

        task.run(recognitionWork(catalog, scanOf(100)), record);
        task.run(recognitionWork(dir.filePath("none.cdc"), scanOf(100)), record);
        QTRY_COMPARE_WITH_TIMEOUT(results.size(), 2, 10000);
        QTest::qWait(50);
        QCOMPARE(results.size(), 2); // the first of the two never reported
        QCOMPARE(results[1].error.number(), 53);
        QVERIFY(!results[1].sameDisc);

        task.run(recognitionWork(catalog, scanOf(100)), record);
        task.cancel();
        QVERIFY(!task.isRunning());
        QTest::qWait(300);
        QCOMPARE(results.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestDiscScan)
#include "tst_session_discscan.moc"
