// The disc walk: order, names, hidden entries and failures.

#include "TestSupport.h"
#include "scan/DiscWalker.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kobrix;
using namespace kobrix::test;

namespace {

struct WalkResult
{
    QStringList directories;
    QStringList listing;
    RuntimeError error;
    QString failedPath;
};

WalkResult walk(const QString &root)
{
    FileSystemReader reader;
    LineStore directories;
    LineStore listing;
    DiscWalker walker(reader, root, directories, listing);
    WalkResult result;
    result.error = walker.run();
    result.failedPath = walker.failedPath();
    result.listing = toStringList(listing);
    const QString prefix = QDir(root).absolutePath();
    for (QString dir : toStringList(directories))
        result.directories << dir.mid(prefix.size());
    return result;
}

// Reads directories from a table instead of the file system, to test the
// order in which the walk fills its lists when a folder fails.
class TableReader : public DirectoryReader
{
public:
    QMap<QByteArray, DirectoryListing> folders;
    QByteArray failing;

    RuntimeError read(const QByteArray &path, bool, DirectoryListing &listing) override
    {
        if (path == failing)
            return RuntimeError(PermissionDenied);
        listing = folders.value(path);
        return RuntimeError();
    }
};

DirectoryListing listingOf(const QList<QByteArray> &dirs, const QList<QByteArray> &files)
{
    DirectoryListing l;
    for (const auto &d : dirs)
        l.subdirectories.push_back({d, d});
    for (const auto &f : files)
        l.files.push_back({f, f});
    return l;
}

} // namespace

class TestScan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void breadthFirstOrder()
    {
        QTemporaryDir disc;
        const QString r = disc.path();
        writeFile(r, "setup.exe");
        writeFile(r, "README.TXT");
        writeFile(r, "autorun.inf");
        writeFile(r, ".hidden");
        writeFile(r, "z level1/deep/deeper/bottom.txt");
        writeFile(r, "z level1/deep/mid.txt");
        writeFile(r, "z level1/top.txt");
        writeFile(r, "A.B.C/x.dat");
        writeFile(r, "MY DOCUMENTS/Letter.doc");
        writeFile(r, "SETUP.FILES/DISK1/DATA.CAB");
        writeFile(r, ".secret/inside.txt");
        writeFile(r, "a level1/b.txt");
        writeFile(r, "a level1/.hidden.txt");
        writeFile(r, QString::fromUtf8("Müsik/Ärger.mp3"));
        makeDir(r, "empty");
        makeDir(r, "a level1/only dirs/none");
        QVERIFY(QFile::link(r + "/a level1", r + "/a level1/loop"));
        QVERIFY(QFile::link(r + "/setup.exe", r + "/link to setup.exe"));
        QVERIFY(QFile::link(r + "/gone", r + "/dangling"));
        QVERIFY(::mkfifo(qPrintable(r + "/fifo"), 0600) == 0);

        const WalkResult result = walk(r);
        QVERIFY(!result.error);
        const QStringList expected{
            // Root files, case-insensitive order; hidden, FIFO and dangling links left out.
            "\\autorun.inf", "\\link to setup.exe", "\\README.TXT", "\\setup.exe",
            // One level down, in the order of the root's subdirectories.
            "\\a level1\\b.txt", "\\A.B.C\\x.dat", "\\MY DOCUMENTS\\Letter.doc",
            QString::fromUtf8("\\Müsik\\Ärger.mp3"), "\\z level1\\top.txt",
            // Two levels down, grouped by parent in processing order.
            "\\SETUP.FILES\\DISK1\\DATA.CAB", "\\z level1\\deep\\mid.txt",
            // Three levels down.
            "\\z level1\\deep\\deeper\\bottom.txt",
        };
        QCOMPARE(result.listing, expected);
        const QStringList dirs{"/a level1", "/A.B.C", "/empty", "/MY DOCUMENTS",
                               QString::fromUtf8("/Müsik"), "/SETUP.FILES", "/z level1",
                               "/a level1/only dirs", "/SETUP.FILES/DISK1", "/z level1/deep",
                               "/a level1/only dirs/none", "/z level1/deep/deeper"};
        QCOMPARE(result.directories, dirs);
    }

    void sortTieBreakIsExactName()
    {
        std::vector<DirectoryEntry> entries{{"b", "b"}, {"B", "B"}, {"a", "a"}, {"A", "A"},
                                            {"\xC3\xA4", "\xC3\xA4"}, {"\xC3\x84", "\xC3\x84"}, {"Z", "Z"}};
        sortEntries(entries);
        QStringList names;
        for (const auto &e : entries)
            names << QString::fromUtf8(e.displayName);
        QCOMPARE(names, (QStringList{"A", "a", "B", "b", "Z", QString::fromUtf8("Ä"), QString::fromUtf8("ä")}));
    }

    void rootOnlyFilesAndEmptyDiscs_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("dirs");
        QTest::addColumn<QStringList>("listing");
        QTest::addColumn<int>("directoryCount");
        QTest::newRow("root files only") << QStringList{"B.TXT", "a.txt"} << QStringList{}
                                         << QStringList{"\\a.txt", "\\B.TXT"} << 0;
        QTest::newRow("empty disc") << QStringList{} << QStringList{} << QStringList{} << 0;
        QTest::newRow("directories only") << QStringList{} << QStringList{"X/Y", "Z"} << QStringList{} << 3;
    }
    void rootOnlyFilesAndEmptyDiscs()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, dirs);
        QFETCH(QStringList, listing);
        QFETCH(int, directoryCount);
        QTemporaryDir disc;
        for (const QString &f : files)
            writeFile(disc.path(), f);
        for (const QString &d : dirs)
            makeDir(disc.path(), d);
        const WalkResult result = walk(disc.path());
        QVERIFY(!result.error);
        QCOMPARE(result.listing, listing);
        QCOMPARE(result.directories.size(), directoryCount);
        // Walking twice gives the same listing, once.
        QCOMPARE(walk(disc.path()).listing, listing);
    }

    void controlAndInvalidNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("line");
        QTest::newRow("line feed") << QByteArray("a\nb.txt") << QString::fromUtf8("\\a\uFFFDb.txt");
        QTest::newRow("carriage return") << QByteArray("a\rb") << QString::fromUtf8("\\a\uFFFDb");
        QTest::newRow("tab and escape") << QByteArray("a\t\x1b") << QString::fromUtf8("\\a\uFFFD\uFFFD");
        QTest::newRow("C1 next line") << QByteArray("a\xC2\x85z") << QString::fromUtf8("\\a\uFFFDz");
        QTest::newRow("invalid utf-8") << QByteArray("caf\xE9.txt") << QString::fromUtf8("\\caf\uFFFD.txt");
    }
    void controlAndInvalidNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, line);
        QTemporaryDir disc;
        const QByteArray path = QFile::encodeName(disc.path()) + '/' + name;
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        const WalkResult result = walk(disc.path());
        QVERIFY(!result.error);
        QCOMPARE(result.listing, QStringList{line});
        QVERIFY(!result.listing.first().contains('\n'));
        ::unlink(path.constData()); // QTemporaryDir cannot remove names it cannot decode
    }

    void missingRootIsUnavailable_data()
    {
        QTest::addColumn<QString>("root");
        QTest::newRow("missing folder") << "/nonexistent/kobrix/drive";
        QTest::newRow("empty root") << "";
        QTest::newRow("a file as root") << "FILE";
    }
    void missingRootIsUnavailable()
    {
        QFETCH(QString, root);
        QTemporaryDir disc;
        writeFile(disc.path(), "FILE");
        if (root == "FILE")
            root = disc.filePath("FILE");
        const WalkResult result = walk(root);
        QCOMPARE(result.error.number(), 68);
        QVERIFY(result.listing.isEmpty());
        QVERIFY(result.directories.isEmpty());
    }

    void failureKeepsWhatWasFound()
    {
        // Root: one file, dirs A and B. A fails: its subdirectories would come
        // before its files, so nothing of A appears; B is never read.
        TableReader reader;
        reader.folders["/r"] = listingOf({"A", "B"}, {"root.txt"});
        reader.folders["/r/B"] = listingOf({}, {"b.txt"});
        reader.failing = "/r/A";
        LineStore dirs, listing;
        DiscWalker walker(reader, "/r", dirs, listing);
        const RuntimeError error = walker.run();
        QCOMPARE(error.number(), 70);
        QCOMPARE(walker.failedPath(), QStringLiteral("/r/A"));
        QCOMPARE(toStringList(listing), QStringList{"\\root.txt"});
        QCOMPARE(toStringList(dirs), (QStringList{"/r/A", "/r/B"}));
    }

    void slashRootAndTrailingSeparators()
    {
        QTemporaryDir disc;
        writeFile(disc.path(), "DATA/LEVEL1.DAT");
        QCOMPARE(walk(disc.path() + "///").listing, QStringList{"\\DATA\\LEVEL1.DAT"});
    }
};

QTEST_GUILESS_MAIN(TestScan)
#include "tst_core_scan.moc"
