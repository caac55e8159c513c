// Every directory reader lists the checked-in disc tree alike: the file
// system, disc images of it (Rock Ridge, Joliet, both), and an image read as
// the disc in a drive.

#include "ReaderSuite.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

class TestReaders : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fixtureTree_data() { addReaderRows(); }
    void fixtureTree()
    {
        QFETCH(int, kind);
        QTemporaryDir work;
        ReaderUnderTest under = makeReader(ReaderKind(kind), fixtureDisc(), work.path());
        const Walk walk = walkWith(under);
        QVERIFY2(!walk.error, qPrintable(walk.error.numberAndDescription()));
        QCOMPARE(walk.listing, fixtureListing());
        QCOMPARE(walk.directories, fixtureDirectories());
        // Walking again with the same reader gives the same listing, once.
        QCOMPARE(walkWith(under).listing, fixtureListing());
    }

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
        QCOMPARE(walk.directories, fixtureDirectories());
    }

    // A folder whose walk cannot start: the disc is gone.
    void missingDisc_data() { addReaderRows(); }
    void missingDisc()
    {
        QFETCH(int, kind);
        QTemporaryDir work;
        const QString tree = work.filePath(QStringLiteral("tree"));
        QVERIFY(copyTree(fixtureDisc(), tree));
        ReaderUnderTest under = makeReader(ReaderKind(kind), tree, work.path());
        QVERIFY(!under.openError);
        // The folder (or the image) is taken away before the walk.
        if (kind == int(ReaderKind::Folder))
            QVERIFY(QDir(tree).removeRecursively());
        else
            QVERIFY(QFile::remove(under.root));
        const Walk walk = walkWith(under);
        if (kind == int(ReaderKind::Folder) || kind == int(ReaderKind::Drive)) {
            QCOMPARE(walk.error.number(), int(DeviceUnavailable));
            QVERIFY(walk.listing.isEmpty());
        } else {
            // An opened image was read whole: its walk needs the file no more.
            QVERIFY(!walk.error);
            QCOMPARE(walk.listing, fixtureListing());
        }
    }
};

QTEST_GUILESS_MAIN(TestReaders)
#include "tst_core_readers.moc"
