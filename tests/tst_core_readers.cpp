// Every directory reader lists the checked-in disc tree alike: the file
// system, disc images of it (Rock Ridge, Joliet, both), and an image read as
// the disc in a drive. Symbolic links made at test time are in
// tst_core_readers_posix.cpp.

#include "ReaderSuite.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

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
        QCOMPARE(walk.directories, fixtureDirectories(ReaderKind(kind)));
        // Walking again with the same reader gives the same listing, once.
        QCOMPARE(walkWith(under).listing, fixtureListing());
    }

    // A folder whose walk cannot start: the disc is gone. The image rows
    // make their image of the fixture disc, and the image goes; the folder
    // row a folder of its own, which goes (the fixture disc holds names that
    // differ only in letter case, which a Windows folder cannot hold side by
    // side, so it is not copied).
    void missingDisc_data() { addReaderRows(); }
    void missingDisc()
    {
        QFETCH(int, kind);
        QTemporaryDir work;
        const QString tree = work.filePath(QStringLiteral("tree"));
        const bool folder = kind == int(ReaderKind::Folder);
        if (folder) {
            writeFile(tree, "README.TXT");
            writeFile(tree, "DATA/LEVEL1.DAT");
        }
        ReaderUnderTest under = makeReader(ReaderKind(kind), folder ? tree : fixtureDisc(), work.path());
        QVERIFY(!under.openError);
        // The folder (or the image) is taken away before the walk.
        if (folder)
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
