// Writing, appending and reading whole catalog files, with their errors.

#include "TestSupport.h"
#include "catalog/CatalogFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <future>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kobrix;
using namespace kobrix::test;

namespace {

const QByteArray kWorkedExample("\"Games 1 - \\SETUP.EXE\"\r\n"
                                "\"Games 1 - \\DATA\\LEVEL1.DAT\"\r\n"
                                "\"Photos, 2002 - \\IMG001.JPG\"\r\n");

// Lowers the file size limit for the life of the object.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

LineStore bigListing(int lines)
{
    LineStore store;
    for (int i = 0; i < lines; ++i)
        store.append(QStringLiteral("\\DATA\\FILE%1.DAT").arg(i));
    return store;
}

struct stat statOf(const QString &path)
{
    struct stat st {};
    stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Files left beside the catalog (kept copies, temporary files).
QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Holds the catalog's lock as another program would, on a descriptor of its own.
class HeldLock
{
public:
    explicit HeldLock(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC))
    {
        if (m_fd >= 0)
            ::flock(m_fd, LOCK_EX);
    }
    ~HeldLock() { release(); }
    void release()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    bool isHeld() const { return m_fd >= 0; }

private:
    int m_fd;
};

} // namespace

class TestCatalogFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void workedExample()
    {
        const QString file = path("worked.cdc");
        QVERIFY(!writeCatalog(file, u"Games 1", toStore({"\\SETUP.EXE", "\\DATA\\LEVEL1.DAT"})));
        QVERIFY(!appendCatalog(file, u"Photos, 2002", toStore({"\\IMG001.JPG"})));
        QCOMPARE(readFile(file), kWorkedExample);
        QCOMPARE(readFile(file).size(), 84);

        LineStore lines;
        QVERIFY(!readCatalog(file, lines, ExistingLines::Clear));
        QCOMPARE(toStringList(lines), (QStringList{"Games 1 - \\SETUP.EXE", "Games 1 - \\DATA\\LEVEL1.DAT",
                                                   "Photos, 2002 - \\IMG001.JPG"}));
    }

    void writeReplacesAppendKeeps()
    {
        const QString file = path("replace.cdc");
        writeFile(m_dir.path(), "replace.cdc", "old stuff\r\n");
        QVERIFY(!writeCatalog(file, u"A", toStore({"\\X"})));
        QCOMPARE(readFile(file), QByteArray("\"A - \\X\"\r\n"));
        // The same name twice gives two blocks, no warning.
        QVERIFY(!appendCatalog(file, u"A", toStore({"\\X"})));
        QCOMPARE(readFile(file), QByteArray("\"A - \\X\"\r\n\"A - \\X\"\r\n"));
        // Appending to a missing file creates it with just the new block.
        QVERIFY(!appendCatalog(path("new.cdc"), u" B ", toStore({"\\Y"})));
        QCOMPARE(readFile(path("new.cdc")), QByteArray("\" B  - \\Y\"\r\n"));
    }

    void loadingTwiceDoesNotDouble()
    {
        const QString file = path("twice.cdc");
        writeFile(m_dir.path(), "twice.cdc", kWorkedExample);
        LineStore lines;
        QVERIFY(!readCatalog(file, lines, ExistingLines::Clear));
        QVERIFY(!readCatalog(file, lines, ExistingLines::Clear));
        QCOMPARE(lines.count(), 3);
        QVERIFY(!readCatalog(file, lines, ExistingLines::Keep));
        QCOMPARE(lines.count(), 6);
    }

    void errors_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("number");
        QTest::newRow("read missing file") << "read" << "missing.cdc" << 53;
        QTest::newRow("read in missing folder") << "read" << "nofolder/x.cdc" << 76;
        QTest::newRow("read a folder") << "read" << "folder" << 75;
        QTest::newRow("read empty name") << "read" << "" << 52;
        QTest::newRow("write a folder") << "write" << "folder" << 75;
        QTest::newRow("write in missing folder") << "write" << "nofolder/x.cdc" << 76;
        QTest::newRow("write read-only folder") << "write" << "readonly/x.cdc" << 70;
        QTest::newRow("append a folder") << "append" << "folder" << 75;
        QTest::newRow("append in missing folder") << "append" << "nofolder/x.cdc" << 76;
        QTest::newRow("append read-only file") << "append" << "readonly.cdc" << 70;
        QTest::newRow("write empty name") << "write" << "" << 52;
    }
    void errors()
    {
        if (geteuid() == 0 && QString(QTest::currentDataTag()).contains("read-only"))
            QSKIP("root ignores file permissions");
        QFETCH(QString, operation);
        QFETCH(QString, target);
        QFETCH(int, number);
        makeDir(m_dir.path(), "folder");
        makeDir(m_dir.path(), "readonly");
        QFile::setPermissions(path("readonly"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        writeFile(m_dir.path(), "readonly.cdc", "\"old\"\r\n");
        QFile::setPermissions(path("readonly.cdc"), QFileDevice::ReadOwner);

        const QString file = target.isEmpty() ? QString() : path(target);
        const LineStore listing = toStore({"\\A"});
        LineStore lines = toStore({"kept"});
        RuntimeError error;
        if (operation == "read")
            error = readCatalog(file, lines, ExistingLines::Clear);
        else if (operation == "write")
            error = writeCatalog(file, u"D", listing);
        else
            error = appendCatalog(file, u"D", listing);
        QCOMPARE(error.number(), number);
        QCOMPARE(error.description(), describeError(number));
        // A load that cannot open its file leaves the list as it was.
        QCOMPARE(toStringList(lines), QStringList{"kept"});
        QCOMPARE(readFile(path("readonly.cdc")), QByteArray("\"old\"\r\n"));
    }

    void slotHeldGives55()
    {
        const QString file = path("slot.cdc");
        writeFile(m_dir.path(), "slot.cdc", kWorkedExample);
        CatalogReader reader;
        QVERIFY(!reader.open(file));
        LineStore lines;
        QCOMPARE(readCatalog(file, lines, ExistingLines::Clear).number(), 55);
        QCOMPARE(writeCatalog(path("other.cdc"), u"D", toStore({"\\A"})).number(), 55);
        QCOMPARE(appendCatalog(file, u"D", toStore({"\\A"})).number(), 55);
        QVERIFY(!QFile::exists(path("other.cdc")));
        QCOMPARE(readFile(file), kWorkedExample);
        // Released when the reader finishes.
        while (!reader.readSome(lines, std::chrono::milliseconds(1))) {
        }
        QVERIFY(!reader.error());
        QCOMPARE(lines.count(), 3);
        QVERIFY(!readCatalog(file, lines, ExistingLines::Clear));
    }

    void slotReleasedAfterFailures()
    {
        LineStore lines;
        QCOMPARE(readCatalog(path("nothing.cdc"), lines, ExistingLines::Clear).number(), 53);
        QCOMPARE(writeCatalog(path("nodir/x.cdc"), u"D", toStore({"\\A"})).number(), 76);
        QVERIFY(!CatalogSlot::isBusy());
        QVERIFY(!writeCatalog(path("fine.cdc"), u"D", toStore({"\\A"})));
    }

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

    void appendStartsOnANewLine_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray block("\"D - \\SETUP.EXE\"\r\n");
        QTest::newRow("last record without line end")
            << QByteArray("\"A - \\x\"") << QByteArray("\"A - \\x\"\r\n" + block);
        QTest::newRow("ends with CR LF") << QByteArray("\"A\"\r\n") << QByteArray("\"A\"\r\n" + block);
        QTest::newRow("ends with LF") << QByteArray("\"A\"\n") << QByteArray("\"A\"\n" + block);
        QTest::newRow("ends with CR") << QByteArray("\"A\"\r") << QByteArray("\"A\"\r" + block);
        QTest::newRow("empty file") << QByteArray() << block;
    }
    void appendStartsOnANewLine()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const QString file = path("newline.cdc");
        writeFile(m_dir.path(), "newline.cdc", before);
        QVERIFY(!appendCatalog(file, u"D", toStore({"\\SETUP.EXE"})));
        QCOMPARE(readFile(file), after);
        LineStore lines;
        QVERIFY(!readCatalog(file, lines, ExistingLines::Clear));
        QCOMPARE(lines.at(lines.count() - 1), QStringLiteral("D - \\SETUP.EXE"));
    }

    void discNameControlsStayOnOneLine()
    {
        const QString file = path("controls.cdc");
        const LineStore listing = toStore({"\\A", "\\B"});
        QVERIFY(!writeCatalog(file, u"Disc\n2\tx\r3", listing));
        QVERIFY(!appendCatalog(file, u"E\r\nF", listing));
        LineStore lines;
        QVERIFY(!readCatalog(file, lines, ExistingLines::Clear));
        const QString r(QChar::ReplacementCharacter);
        QCOMPARE(toStringList(lines),
                 (QStringList{"Disc" + r + "2" + r + "x" + r + "3 - \\A", "Disc" + r + "2" + r + "x" + r + "3 - \\B",
                              "E" + r + r + "F - \\A", "E" + r + r + "F - \\B"}));
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

    // An append that waited while another program replaced the catalog lands
    // in the new catalog, not in the file that was replaced.
    void waitingAppendFollowsAReplacement()
    {
        const QString file = path("replaced.cdc");
        writeFile(m_dir.path(), "replaced.cdc", kWorkedExample);
        auto held = std::make_unique<HeldLock>(file);
        auto waiting = std::async(std::launch::async, [file] {
            return appendCatalog(file, u"Late", toStore({"\\L"}), std::chrono::seconds(20));
        });
        QTest::qWait(100);
        writeFile(m_dir.path(), "replacement.tmp", "\"New\"\r\n");
        QVERIFY(::rename(QFile::encodeName(path("replacement.tmp")).constData(),
                         QFile::encodeName(file).constData()) == 0);
        held.reset();
        QVERIFY(!waiting.get());
        QCOMPARE(readFile(file), QByteArray("\"New\"\r\n\"Late - \\L\"\r\n"));
    }

    void bigCatalogRoundTrip()
    {
        const QString file = path("big.cdc");
        const LineStore listing = bigListing(200000);
        QVERIFY(!writeCatalog(file, u"Disc", listing));
        LineStore lines;
        CatalogReader reader;
        QVERIFY(!reader.open(file));
        lines.clear();
        int slices = 0;
        while (!reader.readSome(lines, std::chrono::microseconds(200)))
            ++slices;
        QVERIFY(!reader.error());
        QVERIFY(slices > 0); // it really was read in slices
        QCOMPARE(lines.count(), listing.count());
        QCOMPARE(lines.at(123456), QStringLiteral("Disc - \\DATA\\FILE123456.DAT"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogFile)
#include "tst_core_catalogfile.moc"
