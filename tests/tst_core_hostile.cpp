// Hostile catalogs and faults: every case loads sensibly or fails with a
// clear error; nothing crashes, hangs or loses a catalog. Memory running out,
// FIFOs and devices need POSIX calls to set up: tst_core_hostile_posix.cpp.

#include "TestSupport.h"
#include "catalog/CatalogFile.h"
#include "core/FileNames.h"
#include "scan/DiscWalker.h"

#include <QDir>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QUtf8StringView>

using namespace kobrix;
using namespace kobrix::test;

namespace {

bool allLinesClean(const LineStore &lines)
{
    for (qsizetype i = 0; i < lines.count(); ++i) {
        const std::string_view line = lines.utf8At(i);
        if (line.find_first_of("\r\n") != std::string_view::npos
            || !QUtf8StringView(line.data(), qsizetype(line.size())).isValidUtf8())
            return false;
    }
    return true;
}

// Deletes a folder right after the root has been read, as if the disc
// changed under the walk.
class VanishingReader : public FolderReader
{
public:
    QString victim;
    RuntimeError read(const QByteArray &path, bool isRoot, DirectoryListing &listing) override
    {
        const RuntimeError error = FolderReader::read(path, isRoot, listing);
        if (isRoot)
            QDir(victim).removeRecursively();
        return error;
    }
};

} // namespace

class TestHostile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    // A file name's bytes come back exactly from its text, whatever they
    // are, and show U+FFFD where they are no valid UTF-8; valid names read
    // as plain text.
    void fileNamesKeepTheirBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ASCII") << QByteArray("a/b.cdc") << QString("a/b.cdc");
        QTest::newRow("UTF-8") << QByteArray("M\xc3\xbcsik/\xe6\x97\xa5.cdc") << QString::fromUtf8("Müsik/日.cdc");
        QTest::newRow("4-byte UTF-8") << QByteArray("\xf0\xa0\xae\xb7") << QString::fromUtf8("𠮷");
        QTest::newRow("Latin-1") << QByteArray("caf\xe9.cdc") << QString::fromUtf8("caf\uFFFD.cdc");
        QTest::newRow("stray continuation") << QByteArray("\x80x\xbf") << QString::fromUtf8("\uFFFDx\uFFFD");
        QTest::newRow("cut short") << QByteArray("a\xe6\x97") << QString::fromUtf8("a\uFFFD\uFFFD");
        QTest::newRow("overlong") << QByteArray("\xc0\xaf") << QString::fromUtf8("\uFFFD\uFFFD");
        QTest::newRow("encoded surrogate") << QByteArray("\xed\xb3\xbf") << QString::fromUtf8("\uFFFD\uFFFD\uFFFD");
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << QString::fromUtf8("\uFFFD\uFFFD\uFFFD\uFFFD");
    }
    void fileNamesKeepTheirBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const QString name = decodeFileName(bytes);
        QCOMPARE(encodeFileName(name), bytes);
        QCOMPARE(displayFileName(name), shown);
        // Random bytes too: every byte string comes back.
        QByteArray noise(64, 0);
        for (int round = 0; round < 200; ++round) {
            for (char &c : noise)
                c = char(QRandomGenerator::global()->bounded(256));
            QCOMPARE(encodeFileName(decodeFileName(bytes + noise)), bytes + noise);
        }
    }

    // A scanned name as its line shows it: controls (C0, DEL, C1) become
    // U+FFFD, so that no name breaks a line or hides in one.
    void listedNames_data()
    {
        QTest::addColumn<QByteArray>("native");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("printable ASCII") << QByteArray(" a~b.TXT") << QByteArray(" a~b.TXT");
        QTest::newRow("DEL") << QByteArray("a\x7F") << QByteArray("a\xEF\xBF\xBD");
        QTest::newRow("tab, line feed") << QByteArray("a\tb\n") << QByteArray("a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
        QTest::newRow("C1 control") << QByteArray("a\xC2\x85") << QByteArray("a\xEF\xBF\xBD");
        QTest::newRow("accented") << QByteArray("caf\xC3\xA9") << QByteArray("caf\xC3\xA9");
        // Longer names are looked at eight bytes at a time.
        QTest::newRow("long printable") << QByteArray("Read Me ~ (copy).txt") << QByteArray("Read Me ~ (copy).txt");
        QTest::newRow("DEL among eight") << QByteArray("abc\x7F" "defghij") << QByteArray("abc\xEF\xBF\xBD" "defghij");
        QTest::newRow("tab among eight") << QByteArray("abcdefg\tij") << QByteArray("abcdefg\xEF\xBF\xBD" "ij");
        QTest::newRow("long accented") << QByteArray("r\xC3\xA9sum\xC3\xA9 final") << QByteArray("r\xC3\xA9sum\xC3\xA9 final");
        // Not UTF-8: Windows-1252, as a catalog line is read, so that names
        // differing in such bytes stay apart.
        QTest::newRow("Latin-1 e acute") << QByteArray("\xE9.txt") << QByteArray("\xC3\xA9.txt");
        QTest::newRow("Latin-1 e grave") << QByteArray("\xE8.txt") << QByteArray("\xC3\xA8.txt");
        QTest::newRow("lone UTF-8 lead") << QByteArray("\xC3.txt") << QByteArray("\xC3\x83.txt");
        QTest::newRow("euro sign, undefined byte") << QByteArray("\x80\x81") << QByteArray("\xE2\x82\xAC\xEF\xBF\xBD");
    }
    void listedNames()
    {
        QFETCH(QByteArray, native);
        QFETCH(QByteArray, shown);
        QCOMPARE(displayName(native), shown);
    }

    // Each row: the bytes, and what the load makes of them: the number of
    // lines and a SHA-256 of the lines' UTF-8 bytes, each followed by a line
    // feed (empty: not checked, for random bytes).
    void hostileContent_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("lineCount");
        QTest::addColumn<QByteArray>("content");
        QByteArray random(1 << 20, Qt::Uninitialized);
        QRandomGenerator generator(42);
        for (char &c : random)
            c = char(generator.bounded(256));
        const auto lines = [](const QByteArray &joined) {
            return QCryptographicHash::hash(joined, QCryptographicHash::Sha256).toHex();
        };
        // NUL bytes are kept as they are, one line of 4096 U+0000.
        QTest::newRow("NUL bytes") << QByteArray(4096, '\0') << qsizetype(1)
                                   << lines(QByteArray(4096, '\0') + '\n');
        QTest::newRow("NUL bytes inside records")
            << QByteArray("\"a\0b\"\r\n\0\r\n", 10) << qsizetype(2)
            << lines(QByteArray("a\0b\n\0\n", 6));
        QTest::newRow("random bytes") << random << qsizetype(-1) << QByteArray();
        QTest::newRow("invalid utf-8") << QByteArray("\"\xff\xfe\xc3\"\r\n\"\xed\xa0\x80\"\r\n") << qsizetype(2)
                                       << QByteArray();
        QTest::newRow("unterminated quote at end") << QByteArray("\"abc") << qsizetype(1)
                                                   << lines("abc\n");
        QTest::newRow("only commas") << QByteArray(",,,\r\n") << qsizetype(4) << lines("\n\n\n\n");
        QTest::newRow("ten million empty lines") << QByteArray(10'000'000, '\n') << qsizetype(10'000'000)
                                                 << lines(QByteArray(10'000'000, '\n'));
    }
    void hostileContent()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, lineCount);
        QFETCH(QByteArray, content);
        const QString file = path("hostile.cdc");
        writeFile(m_dir.path(), "hostile.cdc", bytes);
        LineStore lines;
        QVERIFY(!readCatalog(file, lines, ExistingLines::Clear));
        if (lineCount >= 0)
            QCOMPARE(lines.count(), lineCount);
        QVERIFY(allLinesClean(lines));
        if (!content.isEmpty()) {
            QCryptographicHash read(QCryptographicHash::Sha256);
            for (qsizetype i = 0; i < lines.count(); ++i) {
                const std::string_view line = lines.utf8At(i);
                read.addData(QByteArrayView(line.data(), qsizetype(line.size())));
                read.addData(QByteArrayView("\n", 1));
            }
            QCOMPARE(read.result().toHex(), content);
        }
        QFile::remove(file);
    }

    // A "record" far longer than any path on a disc stops the load with an
    // error that names it, instead of holding the whole file in memory.
    void overlongRecord_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("linesBefore");
        QTest::addColumn<int>("record");
        QTest::addColumn<QStringList>("kept"); // the lines read before it
        QTest::newRow("one line of 100 MB") << QByteArray(100 << 20, 'x') << qsizetype(0) << 1
                                            << QStringList();
        QTest::newRow("NUL bytes without line end") << QByteArray(3 << 20, '\0') << qsizetype(0) << 1
                                                    << QStringList();
        QTest::newRow("after two good records")
            << QByteArray("\"a\"\r\n\"b\"\r\n\"" + QByteArray(2 << 20, 'y') + "\"\r\n\"c\"\r\n")
            << qsizetype(2) << 3 << QStringList{"a", "b"};
        QTest::newRow("100 MB after two records with NUL bytes")
            << QByteArray("\"a\0\"\r\n\"\0b\"\r\n", 12) + QByteArray(100 << 20, 'x')
            << qsizetype(2) << 3 << QStringList{QString(QChar(u'a')) + QChar(0), QChar(0) + QString(QChar(u'b'))};
    }
    void overlongRecord()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, linesBefore);
        QFETCH(int, record);
        QFETCH(QStringList, kept);
        const QString file = path("long.cdc");
        writeFile(m_dir.path(), "long.cdc", bytes);
        LineStore lines;
        const RuntimeError error = readCatalog(file, lines, ExistingLines::Clear);
        QCOMPARE(error.number(), 59);
        QCOMPARE(error.description(),
                 QStringLiteral("Bad record length (record %1 is longer than 1048576 bytes)").arg(record));
        QCOMPARE(lines.count(), linesBefore);
        QCOMPARE(toStringList(lines), kept);
        QVERIFY(!CatalogSlot::isBusy());
        QFile::remove(file);
    }

    void fileVanishesOrShrinksDuringLoad()
    {
        LineStore listing;
        for (int i = 0; i < 100000; ++i)
            listing.append(QStringLiteral("\\F%1").arg(i));
        const QString file = path("vanish.cdc");
        QVERIFY(!writeCatalog(file, u"D", listing));

        // Removed after opening: the open file is still read to its end.
        CatalogReader reader;
        QVERIFY(!reader.open(file));
        QVERIFY(QFile::remove(file));
        LineStore lines;
        while (!reader.readSome(lines, std::chrono::hours(1))) {
        }
        QVERIFY(!reader.error());
        QCOMPARE(lines.count(), 100000);

        // Cut short while being read: what is there is read, nothing crashes.
        QVERIFY(!writeCatalog(file, u"D", listing));
        QVERIFY(!reader.open(file));
        lines.clear();
        QVERIFY(!reader.readSome(lines, std::chrono::nanoseconds(1)));
        QVERIFY(QFile::resize(file, 1000));
        while (!reader.readSome(lines, std::chrono::hours(1))) {
        }
        QVERIFY(!reader.error());
        QVERIFY(lines.count() > 0 && lines.count() < 100000);
        QVERIFY(allLinesClean(lines));
    }

    void nonAsciiPaths()
    {
        const QString file = path(QString::fromUtf8("Kataloge/Müsik – 日本.cdc"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        QVERIFY(!writeCatalog(file, QString::fromUtf8("Диск"), toStore({QString::fromUtf8("\\Ä.txt")})));
        QVERIFY(!appendCatalog(file, u"B", toStore({"\\b"})));
        LineStore lines;
        QVERIFY(!readCatalog(file, lines, ExistingLines::Clear));
        QCOMPARE(toStringList(lines), (QStringList{QString::fromUtf8("Диск - \\Ä.txt"), "B - \\b"}));
    }

    void folderRemovedDuringWalk()
    {
        QTemporaryDir disc;
        writeFile(disc.path(), "a.txt");
        writeFile(disc.path(), "GONE/b.txt");
        writeFile(disc.path(), "STAYS/c.txt");
        VanishingReader reader;
        reader.victim = disc.filePath("GONE");
        LineStore dirs, listing;
        DiscWalker walker(reader, disc.path(), dirs, listing);
        const RuntimeError error = walker.run();
        QCOMPARE(error.number(), 76);
        // The folder as messages show it: with the system's separators.
        QCOMPARE(walker.failedPath(), QDir::toNativeSeparators(disc.filePath("GONE")));
        QCOMPARE(toStringList(listing), QStringList{"\\a.txt"});
    }

    void deepTree()
    {
        QTemporaryDir disc;
        QString relative;
        for (int level = 0; level < 200; ++level)
            relative += QStringLiteral("d%1/").arg(level);
        writeFile(disc.path(), relative + "leaf.txt");
        FolderReader reader;
        LineStore dirs, listing;
        DiscWalker walker(reader, disc.path(), dirs, listing);
        QVERIFY(!walker.run());
        QCOMPARE(dirs.count(), 200);
        QCOMPARE(listing.count(), 1);
        QVERIFY(listing.at(0).endsWith("\\d199\\leaf.txt"));
    }
};

QTEST_GUILESS_MAIN(TestHostile)
#include "tst_core_hostile.moc"
