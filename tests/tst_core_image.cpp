// Disc images are listed like the discs they were made from.

#include "TestSupport.h"
#include "scan/DiscImageReader.h"
#include "scan/DiscWalker.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

class TestDiscImage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_tree;

    // Builds an image of the fixture tree with xorriso's mkisofs emulation.
    QString makeImage(const QString &name, const QStringList &options)
    {
        const QString image = m_dir.filePath(name);
        QProcess xorriso;
        xorriso.start(QStringLiteral("xorriso"),
                      QStringList{"-as", "mkisofs", "-quiet"} + options + QStringList{"-o", image, m_tree});
        if (!xorriso.waitForFinished(60000) || xorriso.exitCode() != 0)
            qWarning() << "xorriso failed:" << xorriso.readAllStandardError();
        return image;
    }

    static QStringList walkImage(const QString &image, RuntimeError *error = nullptr)
    {
        std::unique_ptr<DirectoryReader> reader;
        RuntimeError openError = makeReaderFor(image, reader);
        LineStore dirs, listing;
        if (!openError) {
            DiscWalker walker(*reader, image, dirs, listing);
            openError = walker.run();
        }
        if (error)
            *error = openError;
        return toStringList(listing);
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("xorriso").isEmpty())
            QSKIP("xorriso is not installed");
        m_tree = m_dir.filePath("tree");
        writeFile(m_tree, "setup.exe");
        writeFile(m_tree, "README.TXT");
        writeFile(m_tree, ".hidden");
        writeFile(m_tree, "Long Folder Name With Spaces/Mixed Case File.Txt");
        writeFile(m_tree, "DATA/LEVEL1.DAT");
        writeFile(m_tree, "DATA/DEEP/x.bin");
        writeFile(m_tree, ".secret/inside.txt");
        writeFile(m_tree, QString::fromUtf8("Müsik/Ärger.mp3"));
        makeDir(m_tree, "empty");
    }

    void namesAndOrder_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("Rock Ridge and Joliet") << QStringList{"-R", "-J", "-joliet-long"};
        QTest::newRow("Rock Ridge") << QStringList{"-R"};
        QTest::newRow("Joliet") << QStringList{"-J", "-joliet-long"};
    }
    void namesAndOrder()
    {
        QFETCH(QStringList, options);
        const QString image = makeImage(QStringLiteral("%1.iso").arg(QTest::currentDataTag()), options);
        RuntimeError error;
        const QStringList listing = walkImage(image, &error);
        QVERIFY2(!error, qPrintable(error.numberAndDescription()));
        // The same lines, in the same order, as a walk of the folder.
        QCOMPARE(listing, (QStringList{
                              "\\README.TXT", "\\setup.exe", "\\DATA\\LEVEL1.DAT",
                              "\\Long Folder Name With Spaces\\Mixed Case File.Txt",
                              QString::fromUtf8("\\Müsik\\Ärger.mp3"), "\\DATA\\DEEP\\x.bin"}));
    }

    void damagedOrForeignImages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("number");
        QTest::newRow("random bytes") << QByteArray(200000, 'x') << 57;
        QTest::newRow("empty file") << QByteArray() << 57;
        QTest::newRow("truncated image") << QByteArray("truncate") << 57;
    }
    void damagedOrForeignImages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, number);
        if (bytes == "truncate") {
            const QByteArray full = readFile(makeImage("full.iso", {"-R", "-J"}));
            bytes = full.left(40 * 1024); // cut inside the volume descriptors/path tables
        }
        writeFile(m_dir.path(), "bad.iso", bytes);
        RuntimeError error;
        const QStringList listing = walkImage(m_dir.filePath("bad.iso"), &error);
        QCOMPARE(error.number(), number);
        QVERIFY(!error.description().isEmpty());
        QVERIFY(listing.isEmpty());
    }

    void missingImage()
    {
        DiscImageReader reader;
        QCOMPARE(reader.open(m_dir.filePath("nothing.iso")).number(), 53);
    }
};

QTEST_GUILESS_MAIN(TestDiscImage)
#include "tst_core_image.moc"
