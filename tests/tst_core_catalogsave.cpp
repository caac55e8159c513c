// The one record writer and the save policies against devices that fail
// part-way, and the reader against a device that fails while it is read.

#include "FailDevice.h"
#include "TestSupport.h"
#include "catalog/CatalogFile.h"
#include "catalog/CatalogSave.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

Q_DECLARE_METATYPE(kobrix::SavePolicy)

namespace {

// The bytes of a disc block as a device with room for everything takes them.
QByteArray blockBytes(QStringView discName, const LineStore &listing)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (writeDiscBlock(buffer, discName, listing))
        return QByteArray();
    return buffer.data();
}

} // namespace

class TestCatalogSave : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExampleThroughADevice()
    {
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(!writeDiscBlock(buffer, u"Games 1", toStore({"\\SETUP.EXE", "\\DATA\\LEVEL1.DAT"})));
        QVERIFY(!writeDiscBlock(buffer, u"Photos, 2002", toStore({"\\IMG001.JPG"})));
        QCOMPARE(buffer.data(), kWorkedExample);
    }

    // A write cut short is reported, and what went out before is exactly
    // the start of the block: whole chunks, then the part the device took.
    void blockWriterStopsAtTheFailure_data()
    {
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<int>("lines");
        QTest::newRow("nothing taken") << qint64(0) << 3;
        QTest::newRow("inside the first record") << qint64(5) << 3;
        QTest::newRow("one byte short") << qint64(-1) << 3; // the whole block but its last byte
        QTest::newRow("inside the second chunk") << qint64(1500000) << 100000;
        QTest::newRow("at a chunk's end") << qint64(1 << 20) << 100000;
    }
    void blockWriterStopsAtTheFailure()
    {
        QFETCH(qint64, limit);
        QFETCH(int, lines);
        const LineStore listing = lines == 3
            ? toStore({"\\SETUP.EXE", "\\DATA\\LEVEL1.DAT", "\\IMG001.JPG"})
            : bigListing(lines);
        const QByteArray whole = blockBytes(u"Games 1", listing);
        if (limit < 0)
            limit = whole.size() - 1;
        QVERIFY(whole.size() > limit);
        FailDevice device(limit);
        QVERIFY(device.open(QIODevice::WriteOnly));
        const RuntimeError error = writeDiscBlock(device, u"Games 1", listing);
        QCOMPARE(error.number(), 57);
        QCOMPARE(error.description(), describeError(57));
        QVERIFY(device.written().size() <= limit);
        QVERIFY(whole.startsWith(device.written()));
    }

    // Whatever the policy, a save whose writes fail part-way leaves the
    // catalog as it was and nothing beside it.
    void failedSaveLeavesTheCatalog_data()
    {
        QTest::addColumn<SavePolicy>("policy");
        QTest::addColumn<qint64>("limit");
        const struct
        {
            const char *name;
            SavePolicy policy;
        } policies[] = {{"replace", SavePolicy::Replace},
                        {"in place", SavePolicy::RewriteInPlace},
                        {"append", SavePolicy::Append}};
        for (const auto &p : policies) {
            QTest::addRow("%s, nothing written", p.name) << p.policy << qint64(0);
            QTest::addRow("%s, fails in the first record", p.name) << p.policy << qint64(7);
            QTest::addRow("%s, fails in the second chunk", p.name) << p.policy << qint64(1500000);
        }
    }
    void failedSaveLeavesTheCatalog()
    {
        QFETCH(SavePolicy, policy);
        QFETCH(qint64, limit);
        QTemporaryDir dir;
        const QString file = dir.filePath("cat.cdc");
        writeFile(dir.path(), "cat.cdc", kWorkedExample);
        const LineStore listing = bigListing(100000); // about 3 MB of records
        const RuntimeError error = saveCatalog(file, policy, [&](QIODevice &out) {
            FailDevice failing(limit, &out);
            failing.open(QIODevice::WriteOnly);
            return writeDiscBlock(failing, u"Big disc", listing);
        });
        QCOMPARE(error.number(), 57);
        QCOMPARE(readFile(file), kWorkedExample);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"cat.cdc"});
        QVERIFY(!CatalogSlot::isBusy());

        // The same save with a device that takes everything goes through.
        QVERIFY(!saveCatalog(file, policy, [&](QIODevice &out) {
            return writeDiscBlock(out, u"D", toStore({"\\A"}));
        }));
        QCOMPARE(readFile(file), policy == SavePolicy::Append
                                     ? kWorkedExample + "\"D - \\A\"\r\n"
                                     : QByteArray("\"D - \\A\"\r\n"));
    }

    // An append that fails on a file it created removes the file again.
    void failedAppendRemovesTheFileItMade()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("new.cdc");
        const RuntimeError error = saveCatalog(file, SavePolicy::Append, [](QIODevice &out) {
            FailDevice failing(10, &out);
            failing.open(QIODevice::WriteOnly);
            return writeDiscBlock(failing, u"D", toStore({"\\SETUP.EXE"}));
        });
        QCOMPARE(error.number(), 57);
        QVERIFY(!QFile::exists(file));
    }

    // A device that fails while being read: the error is reported, and the
    // lines that came whole before it are kept.
    void readerReportsAFailingDevice_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("limit");
        QByteArray big;
        for (int i = 0; i < 100000; ++i)
            big += "\"D - \\DATA\\FILE" + QByteArray::number(i) + ".DAT\"\r\n";
        QTest::newRow("fails at once") << kWorkedExample << qint64(0);
        QTest::newRow("fails in the second record") << kWorkedExample << qint64(40);
        QTest::newRow("fails right after a CR") << kWorkedExample << qint64(23);
        QTest::newRow("fails in the second slice") << big << qint64(1500001);
    }
    void readerReportsAFailingDevice()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, limit);
        FailDevice device(limit, nullptr, bytes);
        QVERIFY(device.open(QIODevice::ReadOnly));
        CatalogReader reader;
        QVERIFY(!reader.open(device));
        LineStore lines;
        while (!reader.readSome(lines, std::chrono::hours(1))) {
        }
        QCOMPARE(reader.error().number(), 57);
        QVERIFY(!reader.isOpen());
        QVERIFY(!CatalogSlot::isBusy());
        // Every line ended before the failure (by LF, or by a CR as the
        // last byte) is there, and nothing else.
        const QByteArray before = bytes.left(limit);
        const qsizetype ended = before.count('\n') + (before.endsWith('\r') ? 1 : 0);
        QCOMPARE(lines.count(), ended);
        if (ended > 0) {
            QByteArray done = before;
            while (!done.endsWith('\n') && !done.endsWith('\r'))
                done.chop(1);
            const QByteArray last = done.trimmed().chopped(1); // without its closing quote
            QCOMPARE(lines.at(ended - 1), QString::fromUtf8(last.mid(last.lastIndexOf('"') + 1)));
        }
    }

    void readerTakesAWholeDevice()
    {
        FailDevice device(1 << 30, nullptr, kWorkedExample);
        QVERIFY(device.open(QIODevice::ReadOnly));
        CatalogReader reader;
        QVERIFY(!reader.open(device));
        QCOMPARE(reader.fileSize(), qint64(84));
        LineStore lines;
        while (!reader.readSome(lines, std::chrono::hours(1))) {
        }
        QVERIFY(!reader.error());
        QCOMPARE(toStringList(lines), (QStringList{"Games 1 - \\SETUP.EXE", "Games 1 - \\DATA\\LEVEL1.DAT",
                                                   "Photos, 2002 - \\IMG001.JPG"}));
    }
};

QTEST_GUILESS_MAIN(TestCatalogSave)
#include "tst_core_catalogsave.moc"
