// The disc walk: order, names, hidden entries and failures.

#include "TestSupport.h"
#include "scan/DiscWalker.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

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
    FolderReader reader;
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

    // The table's paths are its own: the root stays as given, not made an
    // absolute path of the system's ("/r" would be "C:/r" on Windows).
    QByteArray rootPath(const QString &root) const override { return root.toUtf8(); }

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
    // Every order of the names sorts to the one given: case ignored, the
    // exact name breaking ties, the whole name compared however long the
    // part two names share.
    void sortOrder_data()
    {
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("ninth letter decides")
            << QStringList{"abcdefgh", "abcdefghA", "abcdefghB", "abcdefghC"};
        QTest::newRow("ninth letter decides, case ignored")
            << QStringList{"ABCDEFGHa", "abcdefghb", "ABCDEFGHc", "abcdefghD"};
        QTest::newRow("sixteen letters shared")
            << QStringList{"abcdefghijklmnopA", "ABCDEFGHIJKLMNOPb", "abcdefghijklmnopC"};
        QTest::newRow("long shared prefix, numbers as text")
            << QStringList{"Setup disk number 1.cab", "setup disk number 10.cab",
                           "SETUP DISK NUMBER 2.cab", "setup disk number 20.cab"};
        QTest::newRow("tie broken by the exact name after eight letters")
            << QStringList{"ABCDEFGHIJ", "ABCDEFGHIj", "abcdefghiJ", "abcdefghij"};
        QTest::newRow("shared prefix with a non-ASCII name in the folder")
            << QStringList{"abcdefghA", "abcdefghB", QString::fromUtf8("abcdefghÄ")};
    }
    void sortOrder()
    {
        QFETCH(QStringList, sorted);
        for (qsizetype rotation = 0; rotation < sorted.size(); ++rotation) {
            for (const bool reversed : {false, true}) {
                QStringList given = sorted.mid(rotation) + sorted.mid(0, rotation);
                if (reversed)
                    std::reverse(given.begin(), given.end());
                std::vector<DirectoryEntry> entries;
                for (const QString &name : given)
                    entries.push_back({name.toUtf8(), name.toUtf8()});
                sortEntries(entries);
                QStringList names;
                for (const DirectoryEntry &e : entries)
                    names << QString::fromUtf8(e.displayName);
                QCOMPARE(names, sorted);
            }
        }
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
