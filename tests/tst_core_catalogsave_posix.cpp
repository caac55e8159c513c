// Saving catalogs where only POSIX systems can set the scene: FIFOs in the
// catalog's place, and writers killed in the middle of a save.

#include "TestSupport.h"
#include "catalog/CatalogFile.h"
#include "catalog/CatalogSave.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kobrix;
using namespace kobrix::test;

Q_DECLARE_METATYPE(kobrix::SavePolicy)

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

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class TestCatalogSaveUnix : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

        int ready[2];
        QVERIFY(::pipe(ready) == 0);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            ::close(ready[0]);
            saveCatalog(file, SavePolicy::Replace, [&](QIODevice &out) {
                const RuntimeError error = writeDiscBlock(out, u"Big", firstHalf);
                (void)::write(ready[1], "x", 1);
                for (;;)
                    ::pause(); // mid-save until killed
                return error;
            });
            ::_exit(0);
        }
        ::close(ready[1]);
        char c = 0;
        QCOMPARE(::read(ready[0], &c, 1), ssize_t(1));
        ::close(ready[0]);
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
