// The loop of kobrix-cli add-discs on a simulated drive: a line per disc,
// labels taken as they are, a disc without a label named from standard
// input (or left out), a changed disc updated only with --update-changed,
// Ctrl+C ending the run after the disc in hand, and the exit status as
// find's.

#include "SimulatedDrive.h"
#include "cli/CliAddDiscs.h"

#include <QTest>
#include <QTimer>

using namespace kobrix;
using namespace kobrix::cli;
using namespace kobrix::test;

class TestAddDiscs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void run_data();
    void run();

private:
    DiscShelf m_discs;
};

void TestAddDiscs::initTestCase()
{
    if (!hasXorriso())
        QSKIP("xorriso is not installed");
    QVERIFY(m_discs.make());
}

void TestAddDiscs::run_data()
{
    QTest::addColumn<QStringList>("discs");    // put into the drive, each once the last is done
    QTest::addColumn<bool>("updateChanged");
    QTest::addColumn<int>("interruptAt");      // Ctrl+C as that disc goes in; -1 never
    QTest::addColumn<QStringList>("typed");    // names typed, one per question
    QTest::addColumn<QStringList>("lines");    // on standard output
    QTest::addColumn<int>("exitCode");

    const QStringList none;
    QTest::newRow("labels taken, the same disc again, a changed disc left")
        << QStringList{"alpha", "beta", "alpha", "alpha2"} << false << -1 << none
        << QStringList{"ALPHA\t40\tadded", "BETA\t2\tadded",
                       "ALPHA\t40\talready in the catalog as ALPHA",
                       "ALPHA\t42\tchanged, left as it was: 3 added, 1 removed"}
        << 0;
    QTest::newRow("--update-changed")
        << QStringList{"alpha", "alpha2"} << true << -1 << none
        << QStringList{"ALPHA\t40\tadded", "ALPHA\t42\tupdated: 3 added, 1 removed"} << 0;
    QTest::newRow("no label: the name typed, a refused one asked again")
        << QStringList{"folder"} << false << -1 << QStringList{"Tunes - \\1", "Tunes 1"}
        << QStringList{"Tunes 1\t2\tadded"} << 0;
    QTest::newRow("no label and no name: left out, nothing added")
        << QStringList{"folder"} << false << -1 << none
        << QStringList{"\t2\tnot added: no name was given"} << 1;
    QTest::newRow("a label another disc has: the name typed")
        << QStringList{"alpha", "impostor"} << false << -1 << QStringList{"Alpha 2"}
        << QStringList{"ALPHA\t40\tadded", "Alpha 2\t2\tadded"} << 0;
    QTest::newRow("unreadable: an error")
        << QStringList{"broken", "beta"} << false << -1 << none
        << QStringList{"\t0\tnot read: 57 - *", "BETA\t2\tadded"} << 2;
    QTest::newRow("Ctrl+C while a disc is read: it is added, whole, and no other")
        << QStringList{"alpha", "beta"} << false << 0 << none
        << QStringList{"ALPHA\t40\tadded"} << 0;
    QTest::newRow("Ctrl+C while waiting: nothing added")
        << QStringList{"alpha"} << false << 1 << none << QStringList{"ALPHA\t40\tadded"} << 0;
}

void TestAddDiscs::run()
{
    QFETCH(QStringList, discs);
    QFETCH(bool, updateChanged);
    QFETCH(int, interruptAt);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, lines);
    QFETCH(int, exitCode);

    QTemporaryDir dir;
    SimulatedDrive drive;
    QStringList printed;
    QStringList notes;
    AddDiscsIo io;
    io.printLine = [&](const QString &line) { printed.append(line); };
    io.printNote = [&](const QString &note) { notes.append(note); };
    io.readName = [&] { return typed.isEmpty() ? QString() : typed.takeFirst(); };
    AddDiscsLoop loop(dir.filePath("discs.cdc"), drive.drive(), updateChanged, drive, io);

    int next = 0;
    connect(&loop.batch(), &DiscBatch::stateChanged, &loop, [&](DiscBatch::State state) {
        if (state != DiscBatch::State::Waiting)
            return;
        QTimer::singleShot(0, &loop, [&] {
            if (next == interruptAt) {
                if (next < discs.size())
                    drive.insert(m_discs.location(discs[next++]));
                loop.interrupt();
                return;
            }
            if (next < discs.size())
                drive.insert(m_discs.location(discs[next++]));
            else
                loop.interrupt();
        });
    });
    QCOMPARE(loop.run(), exitCode);

    QCOMPARE(printed.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].endsWith('*'))
            QVERIFY2(printed[i].startsWith(lines[i].chopped(1)), qPrintable(printed[i]));
        else
            QCOMPARE(printed[i], lines[i]);
    }
    QVERIFY(typed.isEmpty());
    QVERIFY(!drive.watching);
    // The totals close the notes.
    QVERIFY2(notes.last().startsWith(QStringLiteral("%1 discs: ").arg(lines.size())),
             qPrintable(notes.last()));
}

QTEST_GUILESS_MAIN(TestAddDiscs)
#include "tst_cli_adddiscs.moc"
