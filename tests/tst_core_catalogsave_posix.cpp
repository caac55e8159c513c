// Saving catalogs where only POSIX systems can set the scene: FIFOs in the
// catalog's place, writers killed in the middle of a save, and catalogs
// reached through links.

#include "TestSupport.h"
#include "catalog/CatalogFile.h"
#include "catalog/CatalogSave.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kobrix;
using namespace kobrix::test;

Q_DECLARE_METATYPE(kobrix::SavePolicy)

// How a killed save reaches its catalog.
enum class Route { SymbolicLink, HardLink, Append, AppendCreating };
Q_DECLARE_METATYPE(Route)

namespace {

LineStore longPathListing(int lines)
{
    LineStore store;
    for (int i = 0; i < lines; ++i)
        store.append(QStringLiteral("\\A\\LONG\\PATH\\NAME\\FILE%1.DAT").arg(i));
    return store;
}

// Waits up to `limit` for child to end; kills it when it does not. Returns
// its wait status, or -1 when it had to be killed.
int waitOrKill(pid_t child, std::chrono::milliseconds limit)
{
    QElapsedTimer timer;
    timer.start();
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (timer.elapsed() > limit.count()) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return -1;
        }
        QTest::qSleep(5);
    }
    return status;
}

// Forks a child that runs save(), which calls its signal function from
// inside the save; returns the child's pid once it has (or -1).
pid_t forkMidSave(const std::function<int(const std::function<void()> &signal)> &save)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        ::_exit(save([&] { (void)::write(ready[1], "x", 1); }));
    }
    ::close(ready[1]);
    char c = 0;
    const bool signalled = child > 0 && ::read(ready[0], &c, 1) == 1;
    ::close(ready[0]);
    return signalled ? child : -1;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class TestCatalogSaveUnix : public QObject
{
    Q_OBJECT

    QTemporaryDir m_temporaryFolder;

private Q_SLOTS:
    // Journals that go to the temporary folder go to this suite's own, so
    // that suites running beside it neither see nor leave any there.
    void initTestCase() { qputenv("TMPDIR", QFile::encodeName(m_temporaryFolder.path())); }

    // A FIFO in the catalog's place is refused at once, by every policy:
    // writing into it would block as soon as its buffer is full, with
    // nobody reading. The save runs in a child process, so that a save that
    // does block fails the test instead of hanging it.
    void fifoTargetIsRefusedAtOnce_data()
    {
        QTest::addColumn<SavePolicy>("policy");
        QTest::newRow("append") << SavePolicy::Append;
        QTest::newRow("replace") << SavePolicy::Replace;
        QTest::newRow("in place") << SavePolicy::RewriteInPlace;
    }
    void fifoTargetIsRefusedAtOnce()
    {
        QFETCH(SavePolicy, policy);
        QTemporaryDir dir;
        const QString fifo = dir.filePath("pipe.cdc");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const LineStore listing = longPathListing(20000); // far more than a pipe holds
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            const RuntimeError error = saveCatalog(fifo, policy, [&](QIODevice &out) {
                return writeDiscBlock(out, u"D", listing);
            });
            ::_exit(error.number() & 0xFF);
        }
        const int status = waitOrKill(child, std::chrono::seconds(10));
        QVERIFY2(status != -1, "the save blocked on the FIFO");
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 75);
        QCOMPARE(filesIn(dir.path()), QStringList{"pipe.cdc"});
    }

    // A save killed after its n-th block of records (the catalog file itself
    // changed part-way) leaves a catalog that the next reader gets whole, as
    // it was before: the rollback journal puts back the old bytes of a
    // rewrite in place (a catalog behind a symbolic or a hard link) and the
    // old length of an append. Nothing of the journal stays.
    void killedChangeIsPutBack_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<int>("blocks");
        for (const int blocks : {0, 1, 7}) {
            const QByteArray n = QByteArray::number(blocks);
            QTest::newRow("symbolic link, " + n) << Route::SymbolicLink << blocks;
            QTest::newRow("hard link, " + n) << Route::HardLink << blocks;
            QTest::newRow("append, " + n) << Route::Append << blocks;
            QTest::newRow("append creating, " + n) << Route::AppendCreating << blocks;
        }
    }
    void killedChangeIsPutBack()
    {
        QFETCH(Route, route);
        QFETCH(int, blocks);
        QTemporaryDir dir;
        const QString real = dir.filePath("real.cdc");
        QString named = real;
        QByteArray old;
        for (int i = 0; i < 2000; ++i)
            old += "\"Old - \\KEEP" + QByteArray::number(i) + ".ME\"\r\n";
        if (route != Route::AppendCreating)
            writeFile(dir.path(), "real.cdc", old);
        else
            old.clear();
        if (route == Route::SymbolicLink || route == Route::AppendCreating) {
            named = dir.filePath("link.cdc");
            QVERIFY(QFile::link(real, named));
        } else if (route == Route::HardLink) {
            named = dir.filePath("other.cdc");
            QVERIFY(::link(QFile::encodeName(real).constData(), QFile::encodeName(named).constData()) == 0);
        }
        const LineStore block = longPathListing(500);
        const bool appending = route == Route::Append || route == Route::AppendCreating;

        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            saveCatalog(named, appending ? SavePolicy::Append : SavePolicy::Replace,
                        [&](QIODevice &out) {
                            for (int i = 0; i < blocks; ++i)
                                (void)writeDiscBlock(out, u"New", block);
                            ::raise(SIGKILL);
                            return RuntimeError();
                        });
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        if (blocks > 0)
            QVERIFY(readFile(real) != old); // the kill did cut the catalog

        LineStore lines;
        const RuntimeError error = readCatalog(named, lines, ExistingLines::Clear);
        if (route == Route::AppendCreating) {
            QCOMPARE(error.number(), int(FileNotFound)); // as before: nothing there
            QVERIFY(!QFileInfo::exists(real));
        } else {
            QCOMPARE(error.number(), int(NoError));
            QCOMPARE(readFile(real), old);
        }
        QStringList left = filesIn(dir.path());
        left.removeAll("real.cdc");
        left.removeAll("link.cdc");
        left.removeAll("other.cdc");
        QCOMPARE(left, QStringList());
        QCOMPARE(QDir(QDir::tempPath()).entryList({"kobrix-rollback-*"}, QDir::Files), QStringList());
    }

    // A reader that comes while a save is half done waits for it and reads
    // the whole new catalog, never the half written one: through a link (a
    // rewrite in place) and for an append.
    void readerWaitsForWriter_data()
    {
        QTest::addColumn<bool>("appending");
        QTest::newRow("rewrite in place") << false;
        QTest::newRow("append") << true;
    }
    void readerWaitsForWriter()
    {
        QFETCH(bool, appending);
        QTemporaryDir dir;
        writeFile(dir.path(), "real.cdc", "\"Old - \\A\"\r\n");
        const QString named = dir.filePath("link.cdc");
        QVERIFY(QFile::link(dir.filePath("real.cdc"), named));
        const LineStore half = longPathListing(3000);

        const pid_t child = forkMidSave([&](const std::function<void()> &signal) {
            return saveCatalog(named, appending ? SavePolicy::Append : SavePolicy::Replace,
                               [&](QIODevice &out) {
                                   (void)writeDiscBlock(out, u"New", half);
                                   signal();
                                   QTest::qSleep(300);
                                   return writeDiscBlock(out, u"New", half);
                               })
                .number();
        });
        QVERIFY(child > 0);
        LineStore lines;
        QCOMPARE(readCatalog(named, lines, ExistingLines::Clear).number(), int(NoError));
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QCOMPARE(lines.count(), 2 * half.count() + (appending ? 1 : 0));
    }

    // A writer killed while its new catalog is half written leaves the old
    // catalog whole, and no temporary file beside it. The child signals the
    // parent from inside the save, after the first half of the records went
    // out, and waits there to be killed.
    void killedWriterLeavesOldCatalog()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("killed.cdc");
        const QByteArray old("\"Old - \\KEEP.ME\"\r\n");
        writeFile(dir.path(), "killed.cdc", old);
        LineStore firstHalf = longPathListing(100000);

        const pid_t child = forkMidSave([&](const std::function<void()> &signal) {
            saveCatalog(file, SavePolicy::Replace, [&](QIODevice &out) {
                const RuntimeError error = writeDiscBlock(out, u"Big", firstHalf);
                signal();
                for (;;)
                    ::pause(); // mid-save until killed
                return error;
            });
            return 0;
        });
        QVERIFY(child > 0);
        ::kill(child, SIGKILL);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status)); // killed mid-write, not finished
        QCOMPARE(readFile(file), old);
        QCOMPARE(filesIn(dir.path()), QStringList{"killed.cdc"});
    }
};

QTEST_GUILESS_MAIN(TestCatalogSaveUnix)
#include "tst_core_catalogsave_posix.moc"
