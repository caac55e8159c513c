// Discs catalogued one after another from a simulated drive: new discs are
// appended under their label or the name given, a disc met again is left
// alone, a changed one updated only when told, and a disc that cannot be
// read, is taken out while read, or cannot be written changes nothing in
// the catalog; every disc is a row and the tray opens after each disc that
// is still in the drive.

#include "SimulatedDrive.h"
#include "TestSupport.h"
#include "catalog/CatalogFile.h"
#include "core/DiscLine.h"
#include "scan/DiscImageReader.h"
#include "session/DiscBatch.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>


#if defined(Q_OS_UNIX)
#include "TestSupport_posix.h"
#endif

using namespace kobrix;
using namespace kobrix::test;

namespace {

// One disc put into the drive and what the user answers for it:
// "KEY [out|twice] [update|keep] [hold] [name=NAME]...": taken out, or told
// of again, as soon as it arrived; each name typed when one is asked for (with
// hold, begun at once and ended well after the name wait).
struct Step
{
    QString disc;
    bool takenOut = false;
    bool twice = false;
    bool update = false;     // the answer when it changed
    bool hold = false;
    QStringList names;       // typed as its name; none: the label proposed is taken
};

std::vector<Step> parseSteps(const QString &script)
{
    std::vector<Step> steps;
    for (const QString &text : script.split(';', Qt::SkipEmptyParts)) {
        Step step;
        const QStringList words = text.trimmed().split(' ');
        step.disc = words.front();
        for (const QString &word : words.mid(1)) {
            if (word == "out")
                step.takenOut = true;
            else if (word == "twice")
                step.twice = true;
            else if (word == "update")
                step.update = true;
            else if (word == "hold")
                step.hold = true;
            else if (word.startsWith("name="))
                step.names.append(word.mid(5).replace('_', ' '));
        }
        steps.push_back(step);
    }
    return steps;
}

// The catalog's discs, in the order of their first records, each with its
// paths.
std::vector<std::pair<QString, QStringList>> catalogDiscs(const QString &catalog)
{
    LineStore lines;
    if (readCatalog(catalog, lines, ExistingLines::Clear))
        return {};
    std::vector<std::pair<QString, QStringList>> discs;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        const QString line = lines.at(i);
        const DiscLine split = splitDiscLine(QStringView(line));
        const QString disc = split.disc.toString();
        auto at = std::find_if(discs.begin(), discs.end(),
                               [&](const auto &found) { return found.first == disc; });
        if (at == discs.end())
            at = discs.insert(discs.end(), {disc, {}});
        at->second.append(split.path.toString());
    }
    return discs;
}

} // namespace

class TestDiscBatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void run_data();
    void run();
    void stopEndsAfterTheDiscInHand();
    void stopWhileAnUnlabelledDiscWaits();
    void aTrayThatStaysShutEndsNothing();
#if defined(Q_OS_UNIX)
    void failedWriteChangesNothing();
#endif

private:
    DiscLocation location(const QString &key) const;
    // Runs the steps through a batch into catalog; the batch stops once the
    // last disc is done with.
    void runSteps(DiscBatch &batch, SimulatedDrive &drive, const std::vector<Step> &steps);

    DiscShelf m_discs;
};

void TestDiscBatch::initTestCase()
{
    if (!hasXorriso())
        QSKIP("xorriso is not installed");
    QVERIFY(m_discs.make());
}

DiscLocation TestDiscBatch::location(const QString &key) const
{
    return m_discs.location(key);
}

void TestDiscBatch::runSteps(DiscBatch &batch, SimulatedDrive &drive, const std::vector<Step> &steps)
{
    std::size_t next = 0;
    QStringList typed; // the names left to type for the disc in hand
    const auto insertNext = [&] {
        if (next == steps.size()) {
            batch.stop();
            return;
        }
        const Step &step = steps[next++];
        typed = step.names;
        drive.insert(location(step.disc));
        if (step.takenOut)
            drive.takeOut();
        if (step.twice)
            drive.insert(location(step.disc));
    };
    connect(&batch, &DiscBatch::stateChanged, &batch, [&](DiscBatch::State state) {
        if (state == DiscBatch::State::Waiting)
            QTimer::singleShot(0, &batch, insertNext);
    });
    connect(&batch, &DiscBatch::nameWanted, &batch, [&](const QString &label) {
        // Typed at once over a label proposed; for a disc without one, well
        // after the name wait, which must not matter.
        const QString name = typed.isEmpty() ? QString() : typed.takeFirst();
        if (name.isEmpty())
            return; // "name=": the label is left to be taken
        const bool hold = steps[next - 1].hold;
        if (hold)
            batch.holdName();
        if (label.isEmpty() || hold)
            QTimer::singleShot(20, &batch, [&batch, name] { batch.giveName(name); });
        else
            batch.giveName(name);
    });
    connect(&batch, &DiscBatch::changeFound, &batch,
            [&](const QString &, const QStringList &, const QStringList &) {
                batch.updateChangedDisc(steps[next - 1].update);
            });
    QSignalSpy finished(&batch, &DiscBatch::finished);
    QString error;
    QVERIFY2(batch.start(&error), qPrintable(error));
    QVERIFY(drive.watching);
    QVERIFY(finished.wait(30000));
    QCOMPARE(next, steps.size());
    QVERIFY(!drive.watching);
}

void TestDiscBatch::run_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("rows");    // "NAME|outcome", a trailing * matching any end
    QTest::addColumn<QString>("catalog");     // "NAME=disc walked" in the order of the catalog
    QTest::addColumn<int>("ejects");

    QTest::newRow("new, new, again unchanged, changed and updated")
        << "alpha; beta; alpha; alpha2 update"
        << QStringList{"ALPHA|added", "BETA|added", "ALPHA|already in the catalog as ALPHA",
                       "ALPHA|updated: 3 added, 1 removed"}
        << "ALPHA=alpha2; BETA=beta" << 4;
    QTest::newRow("changed, and left as it was")
        << "alpha; alpha2 keep"
        << QStringList{"ALPHA|added", "ALPHA|changed, left as it was: 3 added, 1 removed"}
        << "ALPHA=alpha" << 2;
    QTest::newRow("a name typed over the label")
        << "alpha name=Backup_1; alpha"
        << QStringList{"Backup 1|added", "Backup 1|already in the catalog as Backup 1"}
        << "Backup 1=alpha" << 2;
    QTest::newRow("no label: waits for the name")
        << "folder name=Holiday_music; beta"
        << QStringList{"Holiday music|added", "BETA|added"}
        << "Holiday music=folder; BETA=beta" << 2;
    QTest::newRow("a name typed slowly over the label")
        << "alpha hold name=Backup_2" << QStringList{"Backup 2|added"} << "Backup 2=alpha" << 1;
    QTest::newRow("a name another disc has: asked again")
        << "alpha; beta name=ALPHA name=Second"
        << QStringList{"ALPHA|added", "Second|added"} << "ALPHA=alpha; Second=beta" << 2;
    QTest::newRow("a label another disc has: asked for a name")
        << "alpha; impostor name= name=Impostor"
        << QStringList{"ALPHA|added", "Impostor|added"} << "ALPHA=alpha; Impostor=impostor" << 2;
    QTest::newRow("unreadable, and the run goes on")
        << "broken; beta"
        << QStringList{"|not read: 57 - *", "BETA|added"} << "BETA=beta" << 2;
    QTest::newRow("taken out while read")
        << "alpha; beta out; beta"
        << QStringList{"ALPHA|added", "BETA|not read: the disc was taken out of the drive",
                       "BETA|added"}
        << "ALPHA=alpha; BETA=beta" << 2;
    QTest::newRow("told of a disc again while it is read")
        << "alpha twice; beta" << QStringList{"ALPHA|added", "BETA|added"}
        << "ALPHA=alpha; BETA=beta" << 2;
    QTest::newRow("changed disc taken out while compared")
        << "alpha; alpha2 out update"
        << QStringList{"ALPHA|added", "ALPHA|not read: the disc was taken out of the drive"}
        << "ALPHA=alpha" << 1;
}

void TestDiscBatch::run()
{
    QFETCH(QString, steps);
    QFETCH(QStringList, rows);
    QFETCH(QString, catalog);
    QFETCH(int, ejects);

    QTemporaryDir dir;
    const QString catalogPath = dir.filePath("discs.cdc");
    SimulatedDrive drive;
    DiscBatch batch(catalogPath, drive.drive(), drive);
    batch.setNameWait(std::chrono::milliseconds(1));
    const std::vector<Step> script = parseSteps(steps);
    runSteps(batch, drive, script);
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(qsizetype(batch.rows().size()), rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const DiscBatchRow &row = batch.rows()[std::size_t(i)];
        const QString said = row.name + '|' + row.text;
        const QString &expected = rows[i];
        if (expected.endsWith('*'))
            QVERIFY2(said.startsWith(expected.chopped(1)), qPrintable(said));
        else
            QCOMPARE(said, expected);
        // A disc read whole counts the files of its walk.
        if (row.outcome != DiscBatchRow::Outcome::NotRead)
            QCOMPARE(row.files, m_discs.walk(script[std::size_t(i)].disc).size());
    }
    QCOMPARE(batch.totals().discs, rows.size());

    const auto discs = catalogDiscs(catalogPath);
    const QStringList wanted = catalog.split(';', Qt::SkipEmptyParts);
    QCOMPARE(qsizetype(discs.size()), wanted.size());
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const QStringList nameAndDisc = wanted[i].trimmed().split('=');
        QCOMPARE(discs[std::size_t(i)].first, nameAndDisc[0]);
        QStringList paths = discs[std::size_t(i)].second;
        QStringList walked = m_discs.walk(nameAndDisc[1]);
        paths.sort();
        walked.sort();
        QCOMPARE(paths, walked);
    }
    QCOMPARE(drive.ejects, QStringList(ejects, drive.drive()));
}

// Stop while a disc is read: that disc is still added, whole, and the run
// ends without waiting for another.
void TestDiscBatch::stopEndsAfterTheDiscInHand()
{
    QTemporaryDir dir;
    SimulatedDrive drive;
    DiscBatch batch(dir.filePath("discs.cdc"), drive.drive(), drive);
    batch.setNameWait(std::chrono::hours(1)); // stopping takes the label at once
    QSignalSpy finished(&batch, &DiscBatch::finished);
    QSignalSpy progress(&batch, &DiscBatch::scanProgress);
    QVERIFY(batch.start(nullptr));
    drive.insert(location("alpha"));
    QCOMPARE(batch.state(), DiscBatch::State::Scanning);
    batch.stop();
    drive.insert(location("beta")); // too late: ignored
    QVERIFY(finished.wait(30000));
    QCOMPARE(batch.rows().size(), std::size_t(1));
    QCOMPARE(batch.rows()[0].text, QStringLiteral("added"));
    const auto discs = catalogDiscs(dir.filePath("discs.cdc"));
    QCOMPARE(discs.size(), std::size_t(1));
    QCOMPARE(discs[0].second.size(), m_discs.walk("alpha").size());
    QCOMPARE(drive.ejects.size(), 1);
    // The count of the walk is the last progress told: the comparison and
    // the write after it count no files.
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.last().at(0).toLongLong(), m_discs.walk("alpha").size());
}

// A disc without a label is never added without a name: stopped while it
// waits for one, it is a row and the catalog is left as it was.
void TestDiscBatch::stopWhileAnUnlabelledDiscWaits()
{
    QTemporaryDir dir;
    SimulatedDrive drive;
    DiscBatch batch(dir.filePath("discs.cdc"), drive.drive(), drive);
    batch.setNameWait(std::chrono::milliseconds(1));
    QSignalSpy asked(&batch, &DiscBatch::nameWanted);
    QSignalSpy finished(&batch, &DiscBatch::finished);
    QVERIFY(batch.start(nullptr));
    drive.insert(location("folder"));
    QVERIFY(asked.wait(30000));
    QCOMPARE(asked.at(0).at(0).toString(), QString());
    batch.giveName(QStringLiteral("  ")); // no name: it goes on waiting
    QTest::qWait(20);
    QCOMPARE(batch.state(), DiscBatch::State::Asking);
    batch.stop();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(batch.rows().back().text, QStringLiteral("not added: no name was given"));
    QVERIFY(!QFile::exists(dir.filePath("discs.cdc")));
}

// A tray that does not open is said, and the next disc is still taken.
void TestDiscBatch::aTrayThatStaysShutEndsNothing()
{
    QTemporaryDir dir;
    SimulatedDrive drive;
    drive.ejectError = RuntimeError(DeviceIoError);
    DiscBatch batch(dir.filePath("discs.cdc"), drive.drive(), drive);
    batch.setNameWait(std::chrono::milliseconds(1));
    QSignalSpy rows(&batch, &DiscBatch::rowAdded);
    QSignalSpy trayShut(&batch, &DiscBatch::ejectFailed);
    QVERIFY(batch.start(nullptr));
    for (const char *disc : {"alpha", "beta"}) {
        drive.insert(location(disc));
        QVERIFY(rows.wait(30000));
        QCOMPARE(batch.rows().back().text, QStringLiteral("added"));
        QCOMPARE(batch.state(), DiscBatch::State::Waiting);
    }
    QCOMPARE(trayShut.size(), 2);
    QCOMPARE(trayShut.at(0).at(0).value<RuntimeError>().number(), int(DeviceIoError));
}

#if defined(Q_OS_UNIX)
// A write that fails part-way (the file may grow no further, as on a full
// disk) leaves the catalog's bytes as they were; the next disc is added.
void TestDiscBatch::failedWriteChangesNothing()
{
    QTemporaryDir dir;
    const QString catalogPath = dir.filePath("discs.cdc");
    SimulatedDrive drive;
    DiscBatch batch(catalogPath, drive.drive(), drive);
    batch.setNameWait(std::chrono::milliseconds(1));
    QSignalSpy rows(&batch, &DiscBatch::rowAdded);
    QVERIFY(batch.start(nullptr));
    drive.insert(location("beta"));
    QVERIFY(rows.wait(30000));
    const QByteArray before = readFile(catalogPath);
    {
        FileSizeLimit limit(rlim_t(before.size() + 40));
        drive.insert(location("alpha"));
        QVERIFY(rows.wait(30000));
    }
    QVERIFY2(batch.rows().back().text.startsWith("not added: "), qPrintable(batch.rows().back().text));
    QCOMPARE(readFile(catalogPath), before);
    QCOMPARE(batch.state(), DiscBatch::State::Waiting);
    drive.insert(location("alpha"));
    QVERIFY(rows.wait(30000));
    QCOMPARE(batch.rows().back().text, QStringLiteral("added"));
    QCOMPARE(drive.ejects.size(), 3);
}
#endif

QTEST_GUILESS_MAIN(TestDiscBatch)
#include "tst_session_discbatch.moc"
