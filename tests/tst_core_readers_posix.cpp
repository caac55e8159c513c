// Reader cases only a POSIX system can set up: FIFOs beside the files of the
// disc tree, and names that are no valid UTF-8 or hold control characters.

#include "ReaderSuite.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kobrix;
using namespace kobrix::test;

class TestReadersPosix : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        QCOMPARE(walk.directories, fixtureDirectories());
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
