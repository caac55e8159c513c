// Writing, appending and reading whole catalog files, with their errors.
// The cases that need POSIX calls to set the scene (file size limits, hard
// links, locks held by other processes) are in tst_core_catalogfile_posix.cpp
// and tst_core_catalogfile_linux.cpp.

#include "TestSupport.h"
#include "catalog/CatalogFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// True when what a row made read-only can be written all the same: a file
// can be created in the read-only folder, or the read-only file opened for
// writing. The user (root) or the file system ignores the permissions; a
// Windows folder has none to give (its read-only mark keeps no file out),
// while a read-only file is refused there too.
bool writableAllTheSame(const QString &path)
{
    if (QFileInfo(path).isDir()) {
        QFile probe(path + QStringLiteral("/probe"));
        const bool created = probe.open(QIODevice::WriteOnly);
        if (created)
            probe.remove();
        return created;
    }
    QFile file(path);
    return file.open(QIODevice::ReadWrite); // nothing written, nothing cut
}

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
        const RuntimeError error = writeCatalog(file, u"A", toStore({"\\X"}));
        QVERIFY2(!error, qPrintable(error.numberAndDescription()));
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
        QFETCH(QString, operation);
        QFETCH(QString, target);
        QFETCH(int, number);
        makeDir(m_dir.path(), "folder");
        makeDir(m_dir.path(), "readonly");
        QFile::setPermissions(path("readonly"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        // Left read-only by the row before: made writable again to be rewritten.
        QFile::setPermissions(path("readonly.cdc"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        writeFile(m_dir.path(), "readonly.cdc", "\"old\"\r\n");
        QFile::setPermissions(path("readonly.cdc"), QFileDevice::ReadOwner);
        const QString file = target.isEmpty() ? QString() : path(target);
        if (QString(QTest::currentDataTag()).contains("read-only")) {
            // The read-only file, or the read-only folder of a new one.
            const QString guarded = QFileInfo::exists(file) ? file : QFileInfo(file).absolutePath();
            if (writableAllTheSame(guarded))
                QSKIP("read-only is not enforced here (root ignores it; a Windows folder has none)");
        }

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
