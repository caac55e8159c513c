// Reader cases only a POSIX system can set up: symbolic links and FIFOs
// beside the files of the disc tree (a copy of it, which needs a file system
// that keeps names differing only in letter case apart), and names that are
// no valid UTF-8 or hold control characters.

#include "ReaderSuite.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// Inserts line into lines before the line `before`.
void insertBefore(QStringList &lines, const QString &before, const QString &line)
{
    const qsizetype at = lines.indexOf(before);
    QVERIFY2(at >= 0, qPrintable(before));
    lines.insert(at, line);
}

} // namespace

class TestReadersPosix : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Links that end at files are listed as files; links to folders, links
    // that end nowhere and loops are left out.
    void linksMadeAtTestTime_data() { addReaderRows(); }
    void linksMadeAtTestTime()
    {
        QFETCH(int, kind);
        if (!keepsLinks(ReaderKind(kind)))
            QSKIP("Joliet names hold no symbolic links");
        QTemporaryDir work;
        const QString tree = work.filePath(QStringLiteral("tree"));
        QVERIFY(copyTree(fixtureDisc(), tree));
        makeLink(tree, QStringLiteral("toFile"), "A.B.C/x.dat");
        makeLink(tree, QStringLiteral("A.B.C/up.txt"), "../README.TXT");
        makeLink(tree, QString::fromUtf8("Диск/ссылка.txt"), QString::fromUtf8("Ёлка.mp3").toUtf8());
        makeLink(tree, QStringLiteral("z level1/deep/chain"), "../../toFile");
        makeLink(tree, QStringLiteral("toFolder"), "Sorting");
        makeLink(tree, QStringLiteral("z level1/self"), ".");
        makeLink(tree, QStringLiteral("dangling"), "nowhere.txt");
        makeLink(tree, QStringLiteral("loopA"), "loopB");
        makeLink(tree, QStringLiteral("loopB"), "loopA");
        makeLink(tree, QStringLiteral("toHidden"), ".hidden");
        makeLink(tree, QStringLiteral("fileAsFolder"), "setup.exe/x");

        QStringList expected = fixtureListing();
        expected.insert(expected.indexOf("\\setup.exe") + 1, QStringLiteral("\\toFile"));
        expected.insert(expected.indexOf("\\setup.exe") + 2, QStringLiteral("\\toHidden"));
        insertBefore(expected, QStringLiteral("\\A.B.C\\x.dat"), QStringLiteral("\\A.B.C\\up.txt"));
        insertBefore(expected, QString::fromUtf8("\\Диск\\ёжик.txt"),
                     QString::fromUtf8("\\Диск\\ссылка.txt"));
        insertBefore(expected, QStringLiteral("\\z level1\\deep\\mid.txt"),
                     QStringLiteral("\\z level1\\deep\\chain"));

        ReaderUnderTest under = makeReader(ReaderKind(kind), tree, work.path());
        const Walk walk = walkWith(under);
        QVERIFY2(!walk.error, qPrintable(walk.error.numberAndDescription()));
        QCOMPARE(walk.listing, expected);
        QCOMPARE(walk.directories, fixtureDirectories(ReaderKind(kind)));
    }

    // A FIFO is neither a file nor a folder: no reader lists it, and none
    // opens it (which would wait for a writer for ever).
    void fifosAreLeftOut_data() { addReaderRows(); }
    void fifosAreLeftOut()
    {
        QFETCH(int, kind);
        QTemporaryDir work;
        const QString tree = work.filePath(QStringLiteral("tree"));
        QVERIFY(copyTree(fixtureDisc(), tree));
        for (const QString &fifo : {QStringLiteral("fifo"), QStringLiteral("A.B.C/pipe.dat"),
                                    QString::fromUtf8("Диск/канал"), QStringLiteral("Sorting/abcdefghC")})
            QVERIFY(::mkfifo(QFile::encodeName(tree + QLatin1Char('/') + fifo).constData(), 0600) == 0);
        ReaderUnderTest under = makeReader(ReaderKind(kind), tree, work.path());
        const Walk walk = walkWith(under);
        QVERIFY2(!walk.error, qPrintable(walk.error.numberAndDescription()));
        QCOMPARE(walk.listing, fixtureListing());
        QCOMPARE(walk.directories, fixtureDirectories(ReaderKind(kind)));
    }

    // A backslash inside a name is stored as U+29F5, so that it never
    // splits the name into folders, for files and folders alike.
    void backslashInNames_data() { addReaderRows(); }
    void backslashInNames()
    {
        QFETCH(int, kind);
        if (ReaderKind(kind) == ReaderKind::ImageJoliet)
            QSKIP("Joliet names hold no backslash");
        QTemporaryDir work;
        const QString tree = work.filePath(QStringLiteral("tree"));
        for (const QString &folder : {QStringLiteral("real\\dir"), QStringLiteral("realdir")})
            QVERIFY(QDir().mkpath(tree + QLatin1Char('/') + folder));
        for (const QString &file : {QStringLiteral("back\\slash.txt"), QStringLiteral("real\\dir/g.txt"),
                                    QStringLiteral("realdir/h.txt"), QStringLiteral("\\edge\\")}) {
            QFile f(tree + QLatin1Char('/') + file);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        ReaderUnderTest under = makeReader(ReaderKind(kind), tree, work.path());
        const Walk walk = walkWith(under);
        QVERIFY2(!walk.error, qPrintable(walk.error.numberAndDescription()));
        QCOMPARE(walk.listing, QStringList({QString::fromUtf8("\\\u29F5edge\u29F5"),
                                            QString::fromUtf8("\\back\u29F5slash.txt"),
                                            QString::fromUtf8("\\real\u29F5dir\\g.txt"),
                                            QStringLiteral("\\realdir\\h.txt")}));
    }

    // A folder deeper than the longest path the system opens at once is
    // read through its parent's handle: every depth is catalogued.
    void foldersDeeperThanPathMax_data()
    {
        QTest::addColumn<int>("depth"); // folders of 100-byte names
        QTest::newRow("3,000 bytes") << 30;
        QTest::newRow("just past PATH_MAX") << 41;
        QTest::newRow("three times PATH_MAX") << 125;
    }
    void foldersDeeperThanPathMax()
    {
        QFETCH(int, depth);
        QTemporaryDir work;
        const QByteArray name(100, 'd');
        QString expected;
        int fd = ::open(QFile::encodeName(work.path()).constData(), O_RDONLY | O_DIRECTORY);
        for (int level = 0; level < depth && fd >= 0; ++level) {
            QVERIFY(::mkdirat(fd, name.constData(), 0755) == 0);
            const int next = ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY);
            ::close(fd);
            fd = next;
            expected += QLatin1Char('\\') + QString::fromLatin1(name);
        }
        QVERIFY(fd >= 0);
        const int file = ::openat(fd, "end.txt", O_CREAT | O_WRONLY, 0644);
        ::close(file);
        ::close(fd);
        ReaderUnderTest under = makeReader(ReaderKind::Folder, work.path(), work.path());
        const Walk walk = walkWith(under);
        // Nothing of the tree stays open after the walk, while the reader
        // lives on (a disc would stay busy). A handle beyond PATH_MAX shows
        // no path here: the shallow row is the one that tells.
        int openBelow = 0;
        const QDir fds(QStringLiteral("/proc/self/fd"));
        for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
            openBelow += QFile::symLinkTarget(fds.filePath(fd)).startsWith(work.path());
        QCOMPARE(openBelow, 0);
        // QTemporaryDir removes by whole paths, which are too long here.
        QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), work.path()});
        QVERIFY2(!walk.error, qPrintable(walk.error.numberAndDescription() + walk.failedPath));
        QCOMPARE(walk.listing, QStringList{expected + QStringLiteral("\\end.txt")});
        QCOMPARE(walk.directories.size(), depth);
    }

    void controlAndInvalidNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("line");
        QTest::newRow("line feed") << QByteArray("a\nb.txt") << QString::fromUtf8("\\a\uFFFDb.txt");
        QTest::newRow("carriage return") << QByteArray("a\rb") << QString::fromUtf8("\\a\uFFFDb");
        QTest::newRow("tab and escape") << QByteArray("a\t\x1b") << QString::fromUtf8("\\a\uFFFD\uFFFD");
        QTest::newRow("C1 next line") << QByteArray("a\xC2\x85z") << QString::fromUtf8("\\a\uFFFDz");
        // Not UTF-8: read as Windows-1252, as a catalog line is.
        QTest::newRow("invalid utf-8") << QByteArray("caf\xE9.txt") << QString::fromUtf8("\\caf\u00E9.txt");
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
        ReaderUnderTest under = makeReader(ReaderKind::Folder, disc.path(), disc.path());
        const Walk walk = walkWith(under);
        ::unlink(path.constData()); // QTemporaryDir cannot remove names it cannot decode
        QVERIFY(!walk.error);
        QCOMPARE(walk.listing, QStringList{line});
        QVERIFY(!walk.listing.first().contains('\n'));
    }
};

QTEST_GUILESS_MAIN(TestReadersPosix)
#include "tst_core_readers_posix.moc"
