// Writing and appending catalog files where only a POSIX system can set the
// scene: a file size limit that stops a save part-way, hard links, modes and
// owners kept by a rewrite, and locks held by another process.

#include "TestSupport.h"
#include "TestSupport_posix.h"
#include "catalog/CatalogFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// Files left beside the catalog (kept copies, temporary files).
QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestCatalogFilePosix : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void failedWriteKeepsOldCatalog()
    {
        const QString file = path("keep.cdc");
        writeFile(m_dir.path(), "keep.cdc", kWorkedExample);
        const LineStore listing = bigListing(100000); // about 3 MB of records
        RuntimeError error;
        {
            FileSizeLimit limit(64 * 1024);
            error = writeCatalog(file, u"Big disc", listing);
        }
        QCOMPARE(error.number(), 61);
        QCOMPARE(readFile(file), kWorkedExample);
        // No temporary file is left beside it.
        QCOMPARE(QDir(m_dir.path()).entryList({"keep.cdc*"}, QDir::Files), QStringList{"keep.cdc"});
        QVERIFY(!CatalogSlot::isBusy());
    }

    void failedAppendCutsBack()
    {
        const QString file = path("cut.cdc");
        writeFile(m_dir.path(), "cut.cdc", kWorkedExample);
        RuntimeError error;
        {
            FileSizeLimit limit(64 * 1024);
            error = appendCatalog(file, u"Big disc", bigListing(100000));
        }
        QCOMPARE(error.number(), 61);
        QCOMPARE(readFile(file), kWorkedExample);

        // An append that created the file and failed leaves no file behind.
        {
            FileSizeLimit limit(64 * 1024);
            error = appendCatalog(path("created.cdc"), u"Big disc", bigListing(100000));
        }
        QCOMPARE(error.number(), 61);
        QVERIFY(!QFile::exists(path("created.cdc")));
    }

    // A rewrite keeps the catalog the same file: every name of it sees the
    // new catalog, and its mode stays.
    void rewriteKeepsTheFile_data()
    {
        QTest::addColumn<bool>("hardLink");
        QTest::addColumn<bool>("symLink");
        QTest::newRow("single name") << false << false;
        QTest::newRow("hard link") << true << false;
        QTest::newRow("symbolic link") << false << true;
    }
    void rewriteKeepsTheFile()
    {
        QFETCH(bool, hardLink);
        QFETCH(bool, symLink);
        QTemporaryDir dir;
        const QString file = dir.filePath("cat.cdc");
        const QString other = dir.filePath("other.cdc");
        writeFile(dir.path(), "cat.cdc", kWorkedExample);
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0640) == 0);
        if (hardLink)
            QVERIFY(::link(QFile::encodeName(file).constData(), QFile::encodeName(other).constData()) == 0);
        if (symLink)
            QVERIFY(QFile::link(file, other));
        const struct stat before = statOf(file);

        QVERIFY(!writeCatalog(hardLink || symLink ? other : file, u"New", toStore({"\\N"})));
        const QByteArray expected("\"New - \\N\"\r\n");
        QCOMPARE(readFile(file), expected);
        const struct stat after = statOf(file);
        QCOMPARE(after.st_mode & 07777, mode_t(0640));
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        if (hardLink || symLink) {
            QCOMPARE(readFile(other), expected);
            QCOMPARE(after.st_ino, before.st_ino);
            QCOMPARE(after.st_nlink, before.st_nlink);
            QVERIFY(QFileInfo(other).isSymLink() == symLink);
        }
        QCOMPARE(leftovers(dir.path()).size(), hardLink || symLink ? 2 : 1);
    }

    void rootRewriteKeepsTheOwner()
    {
        if (geteuid() != 0)
            QSKIP("only root can give a file to another user");
        QTemporaryDir dir;
        const QString file = dir.filePath("theirs.cdc");
        writeFile(dir.path(), "theirs.cdc", kWorkedExample);
        QVERIFY(::chown(QFile::encodeName(file).constData(), 65534, 65534) == 0);
        QVERIFY(!writeCatalog(file, u"New", toStore({"\\N"})));
        QCOMPARE(statOf(file).st_uid, uid_t(65534));
        QCOMPARE(statOf(file).st_gid, gid_t(65534));
    }

    void failedInPlaceRewritePutsOldBack()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("linked.cdc");
        const QString other = dir.filePath("link2.cdc");
        writeFile(dir.path(), "linked.cdc", kWorkedExample);
        QVERIFY(::link(QFile::encodeName(file).constData(), QFile::encodeName(other).constData()) == 0);
        const ino_t inode = statOf(file).st_ino;
        RuntimeError error;
        {
            FileSizeLimit limit(64 * 1024); // fails part-way through the new catalog
            error = writeCatalog(file, u"Big disc", bigListing(100000));
        }
        QCOMPARE(error.number(), 61);
        QCOMPARE(readFile(file), kWorkedExample);
        QCOMPARE(readFile(other), kWorkedExample);
        QCOMPARE(statOf(file).st_ino, inode);
        QCOMPARE(leftovers(dir.path()), (QStringList{"link2.cdc", "linked.cdc"}));
    }

    void anotherWriterIsWaitedForThenRefused_data()
    {
        QTest::addColumn<bool>("append");
        QTest::newRow("write") << false;
        QTest::newRow("append") << true;
    }
    void anotherWriterIsWaitedForThenRefused()
    {
        QFETCH(bool, append);
        const QString file = path("locked.cdc");
        writeFile(m_dir.path(), "locked.cdc", kWorkedExample);
        HeldLock held(file);
        QVERIFY(held.isHeld());
        const LineStore listing = toStore({"\\A"});
        QElapsedTimer timer;
        timer.start();
        const RuntimeError error = append
            ? appendCatalog(file, u"D", listing, std::chrono::milliseconds(200))
            : writeCatalog(file, u"D", listing, std::chrono::milliseconds(200));
        QCOMPARE(error.number(), 55);
        QVERIFY(timer.elapsed() >= 190); // it did wait
        QCOMPARE(readFile(file), kWorkedExample);
        QVERIFY(!CatalogSlot::isBusy());

        // Once the other writer is done, the same call goes through.
        held.release();
        QVERIFY(!(append ? appendCatalog(file, u"D", listing) : writeCatalog(file, u"D", listing)));
    }

    void killedHolderLeavesNoStaleLock()
    {
        const QString file = path("stale.cdc");
        writeFile(m_dir.path(), "stale.cdc", kWorkedExample);
        int ready[2];
        QVERIFY(::pipe(ready) == 0);
        const pid_t child = ::fork();
        if (child == 0) {
            HeldLock held(file);
            (void)::write(ready[1], "x", 1);
            ::pause();
            ::_exit(0);
        }
        ::close(ready[1]);
        char c;
        QCOMPARE(::read(ready[0], &c, 1), ssize_t(1));
        ::close(ready[0]);
        QCOMPARE(appendCatalog(file, u"D", toStore({"\\A"}), std::chrono::milliseconds(50)).number(), 55);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        QVERIFY(!appendCatalog(file, u"D", toStore({"\\A"}), std::chrono::milliseconds(50)));
        QCOMPARE(readFile(file), kWorkedExample + "\"D - \\A\"\r\n");
    }
};

QTEST_GUILESS_MAIN(TestCatalogFilePosix)
#include "tst_core_catalogfile_posix.moc"
