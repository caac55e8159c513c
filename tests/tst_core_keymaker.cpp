// Search keys made on a second thread while lines are appended: the store
// ends exactly as if every line had been appended with its key, whether the
// tables grow meanwhile, records come in Windows-1252, names need the
// normalizer or lines open with a mark (lines that follow one another are
// keyed as one text), through the maker itself and through a load of a file.

#include "TestSupport.h"
#include "catalog/CatalogFile.h"
#include "catalog/CatalogFormat.h"
#include "core/KeyMaker.h"

#include <QFile>
#include <QTest>

#include <random>

using namespace kobrix;
using namespace kobrix::test;

namespace {

enum Mix { Cyrillic, Latin, Japanese, MostlyAscii };

// Catalog records, one a line: names of the mix in varied lengths, a share
// decomposed (as Mac-made discs write them), some records in Windows-1252
// and some bytes that are neither. When growing, the lines of the first
// megabyte are long and the rest short, so that the line table outgrows
// the room a load takes from its first chunk.
QByteArray makeRecords(Mix mix, int lines, bool growing, bool oldRecords)
{
    static const char *const cyrillic[] = {"Ёлка", "МУЗЫКА", "Диск", "фото", "Зима", "ПАПКА"};
    static const char *const latin[] = {"Dvořák", "Müller", "ÉTÉ", "café", "Straße", "Ærø"};
    static const char *const japanese[] = {"データ", "写真", "音楽", "ドラゴン", "ＦＩＬＥ", "日本"};
    std::mt19937 random(7);
    QByteArray file;
    for (int i = 0; i < lines; ++i) {
        QByteArray name = "Disc " + QByteArray::number(i % 13) + " - \\folder" + QByteArray::number(i % 17)
            + "\\";
        const int words = growing && file.size() < (1 << 20) ? 12 : 1 + int(random() % 4);
        for (int w = 0; w < words; ++w) {
            const std::size_t pick = random() % 6;
            const bool ascii = mix == MostlyAscii ? random() % 100 != 0 : random() % 10 == 0;
            if (ascii)
                name += "Setup";
            else if (mix == Cyrillic || mix == MostlyAscii)
                name += cyrillic[pick];
            else if (mix == Latin)
                name += latin[pick];
            else
                name += japanese[pick];
            name += ' ';
        }
        if (i % 20 == 0)
            name += mix == Japanese ? "\xE3\x83\x86\xE3\x82\x99" : "e\xCC\x81"; // テ+゙, e+◌́
        if (oldRecords && i % 11 == 0)
            name += "\x80 Caf\xE9 \x9F"; // Windows-1252: €, é, Ÿ (three, two, two bytes in UTF-8)
        if (oldRecords && i % 37 == 0)
            name += "\xC3\x28\xFF"; // no encoding's
        if (i % 29 == 0) // a mark that opens a line joins nothing before it
            name.prepend(mix == Japanese ? "\xE3\x82\x99" : "\xCC\x81");
        file += "\"" + name + ".txt\"\r\n";
    }
    return file;
}

// The same records appended line by line, each with its key at once.
LineStore inlineStore(const QByteArray &records)
{
    LineStore store;
    FieldParser parser(store);
    parser.feed(std::string_view(records.constData(), std::size_t(records.size())));
    parser.finish();
    return store;
}

// Empty when both stores hold the same lines, non-ASCII lines and keys;
// otherwise where they first differ.
QString difference(const LineStore &made, const LineStore &expected)
{
    if (made.count() != expected.count())
        return QStringLiteral("%1 lines, expected %2").arg(made.count()).arg(expected.count());
    for (qsizetype i = 0; i < made.count(); ++i) {
        if (made.utf8At(i) != expected.utf8At(i))
            return QStringLiteral("line %1").arg(i);
    }
    if (made.nonAsciiLines() != expected.nonAsciiLines())
        return QStringLiteral("the non-ASCII lines");
    if (made.keysMade() != made.nonAsciiLines().size() || !made.hasSearchKeys())
        return QStringLiteral("%1 keys made of %2").arg(made.keysMade()).arg(made.nonAsciiLines().size());
    for (std::size_t k = 0; k < expected.nonAsciiLines().size(); ++k) {
        if (made.keyAt(k) != expected.keyAt(k))
            return QStringLiteral("the key of line %1").arg(expected.nonAsciiLines()[k]);
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(Mix)

class TestKeyMaker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rows_data()
    {
        QTest::addColumn<Mix>("mix");
        QTest::addColumn<bool>("growing");
        QTest::addColumn<bool>("oldRecords");
        QTest::newRow("cyrillic") << Cyrillic << false << false;
        QTest::newRow("cyrillic, lines outgrowing the room") << Cyrillic << true << false;
        QTest::newRow("latin with Windows-1252 records") << Latin << false << true;
        QTest::newRow("latin outgrowing, Windows-1252") << Latin << true << true;
        QTest::newRow("japanese, decomposed kana") << Japanese << true << false;
        QTest::newRow("mostly ASCII") << MostlyAscii << false << true;
    }

    // The maker beside lines appended into a store that takes no room
    // beforehand: every table grows, and the maker is paused each time.
    void makerKeysEqualInlineKeys_data() { rows_data(); }
    void makerKeysEqualInlineKeys()
    {
        QFETCH(Mix, mix);
        QFETCH(bool, growing);
        QFETCH(bool, oldRecords);
        const QByteArray records = makeRecords(mix, 30000, growing, oldRecords);
        const LineStore expected = inlineStore(records);
        QVERIFY(expected.nonAsciiLines().size() > 100);
        // Never published: the maker's thread has made no key when it
        // finishes, which makes them all.
        constexpr qsizetype kNever = 0;
        for (const qsizetype publishEvery : {qsizetype(1), qsizetype(4096), qsizetype(1 << 20), kNever}) {
            LineStore store;
            {
                KeyMaker maker(store);
                FieldParser parser(store);
                const qsizetype step = publishEvery == kNever ? records.size() : publishEvery;
                for (qsizetype at = 0; at < records.size(); at += step) {
                    parser.feed(std::string_view(records.constData() + at,
                                                 std::size_t(std::min(step, records.size() - at))));
                    if (publishEvery != kNever)
                        maker.publish();
                }
                parser.finish();
            } // the maker finishes here
            QVERIFY2(difference(store, expected).isEmpty(),
                     qPrintable(difference(store, expected) + QStringLiteral(", published every %1").arg(publishEvery)));
        }
    }

    // A load of the file, at once and in short slices as the main window
    // reads, and over lines held already.
    void loadKeysEqualInlineKeys_data() { rows_data(); }
    void loadKeysEqualInlineKeys()
    {
        QFETCH(Mix, mix);
        QFETCH(bool, growing);
        QFETCH(bool, oldRecords);
        const QByteArray records = makeRecords(mix, 60000, growing, oldRecords);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("c.cdc"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(records) == records.size());
        file.close();
        const LineStore expected = inlineStore(records);

        LineStore whole;
        QVERIFY(!readCatalog(path, whole, ExistingLines::Clear));
        QVERIFY2(difference(whole, expected).isEmpty(), qPrintable(difference(whole, expected)));

        LineStore sliced;
        CatalogReader reader;
        QVERIFY(!reader.open(path));
        int slices = 0;
        while (!reader.readSome(sliced, std::chrono::microseconds(200))) {
            ++slices;
            // Between slices the store is whole: every line read has its key.
            QCOMPARE(sliced.keysMade(), sliced.nonAsciiLines().size());
        }
        QVERIFY(!reader.error());
        QVERIFY(slices > 1);
        QVERIFY2(difference(sliced, expected).isEmpty(), qPrintable(difference(sliced, expected)));

        // Appended to lines held already: their keys stay first.
        LineStore appended = inlineStore(makeRecords(Latin, 500, false, true));
        QVERIFY(!readCatalog(path, appended, ExistingLines::Keep));
        QVERIFY(!readCatalog(path, whole, ExistingLines::Keep));
        QVERIFY2(difference(appended, [&] {
                     LineStore both = inlineStore(makeRecords(Latin, 500, false, true));
                     both.appendStore(expected);
                     return both;
                 }()).isEmpty(),
                 "appended");
        QCOMPARE(whole.count(), 2 * expected.count());
        QCOMPARE(whole.keysMade(), whole.nonAsciiLines().size());
    }
};

QTEST_APPLESS_MAIN(TestKeyMaker)
#include "tst_core_keymaker.moc"
