// Search keys and UTF-8 checks taken a block at a time: the sixteen-byte
// folds of Latin-1, Latin Extended-A, Cyrillic, Greek and kana/kanji runs, the composing of one mark
// without the normalizer, and a catalog chunk checked once instead of line
// by line. Each must give exactly what the character-by-character way gives.

#include "TestSupport.h"
#include "core/SearchKey.h"

#include <QRandomGenerator>
#include <QTest>
#include <QUtf8StringView>

#include <cstring>
#include <memory>

using namespace kobrix;
using namespace kobrix::test;

namespace {

std::string_view view(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), std::size_t(bytes.size()));
}

// The key the fast path makes, or "invalid".
QByteArray fastKey(const QByteArray &utf8)
{
    ByteBuffer key;
    if (!appendSearchKey(key, view(utf8)))
        return QByteArrayLiteral("invalid");
    return QByteArray(key.data(), qsizetype(key.size()));
}

QString hexOf(const QString &text)
{
    QStringList codes;
    for (const char32_t c : text.toUcs4())
        codes << QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0'));
    return codes.join(QLatin1Char(' '));
}

} // namespace

class TestFoldBlocks : public QObject
{
    Q_OBJECT

private:
    // Fails with the text's code points when the fast key differs from
    // Qt's normalizer and folding.
    static bool sameAsQt(const QString &text)
    {
        const QByteArray fast = fastKey(text.toUtf8());
        if (fast == searchKey(text))
            return true;
        qWarning("%s: %s", qPrintable(hexOf(text)), fast.toHex(' ').constData());
        return false;
    }

private Q_SLOTS:
    // Every character of the Basic Multilingual Plane in runs long enough
    // for the sixteen-byte folds, alone and between ASCII capitals, Cyrillic
    // and kana (which keep a block going), starting at every offset.
    void longRunsFoldAsQtFolds()
    {
        int failures = 0;
        for (char32_t c = 0x80; c < 0x10000 && failures < 5; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const QString one = QString::fromUcs4(&c, 1);
            const QString mixed = QStringLiteral("AZ") + one + QString::fromUtf8("Жя") + one
                + QString::fromUtf8("カ漢") + one + QStringLiteral(" Q");
            for (const QString &text : {one.repeated(24), QStringLiteral("x") + mixed.repeated(4),
                                        QString::fromUtf8("Ё").repeated(7) + one + QStringLiteral("Ab").repeated(12)}) {
                if (!sameAsQt(text))
                    ++failures;
            }
        }
        QCOMPARE(failures, 0);
    }

    // A key holds exactly its line's characters, however long the line's
    // last run of ASCII: ending with a block of sixteen, the key once took
    // the byte behind the line as well.
    void asciiTailsOfEveryLength()
    {
        for (int n = 0; n <= 48; ++n) {
            const QString ascii(n, QLatin1Char('K'));
            for (const QString &text : {ascii, QString::fromUtf8("Ж") + ascii, QString::fromUtf8("デ") + ascii,
                                        QString::fromUtf8("é").repeated(9) + ascii}) {
                // Followed in memory by a byte that must not get into the key.
                const QByteArray utf8 = text.toUtf8() + '"';
                ByteBuffer key;
                QVERIFY(appendSearchKey(key, std::string_view(utf8.constData(), std::size_t(utf8.size() - 1))));
                QCOMPARE(QByteArray(key.data(), qsizetype(key.size())), searchKey(text));
                // Followed by nothing: a block of sixteen at the very end
                // once had the byte behind it read (the sanitizers' build
                // tells).
                const std::size_t size = std::size_t(utf8.size() - 1);
                const std::unique_ptr<char[]> exact(new char[std::max<std::size_t>(size, 1)]);
                std::memcpy(exact.get(), utf8.constData(), size);
                ByteBuffer exactKey;
                QVERIFY(appendSearchKey(exactKey, std::string_view(exact.get(), size)));
                QCOMPARE(QByteArray(exactKey.data(), qsizetype(exactKey.size())), searchKey(text));
            }
        }
    }

    // Decomposed names (a letter and one mark, as Mac-made discs hold them)
    // are composed without the normalizer; several marks, which may need
    // reordering, and marks after a letter they do not join still come out
    // as Qt makes them.
    void decomposedFormsFoldAsQtFolds()
    {
        int failures = 0;
        int decomposed = 0;
        for (char32_t c = 0x80; c < 0x10000 && failures < 5; ++c) {
            if (QChar::decompositionTag(c) != QChar::Canonical || (c >= 0xAC00 && c <= 0xD7A3))
                continue;
            const QString parts = QChar::decomposition(c);
            ++decomposed;
            const QString upper = QString::fromUcs4(&c, 1).toUpper();
            for (const QString &text :
                 {parts, QStringLiteral("x") + parts + QStringLiteral("y"),
                  QString::fromUtf8("Дом ") + parts + QString::fromUtf8(" データ").repeated(3),
                  (parts + QStringLiteral("AB")).repeated(8), parts + QChar(0x0323) + QStringLiteral("z"),
                  upper.normalized(QString::NormalizationForm_D) + QStringLiteral("-Q")}) {
                if (!sameAsQt(text))
                    ++failures;
            }
            // The mark at every place of a block (blocks start at a kana).
            for (int before = 0; before < 16; ++before) {
                if (!sameAsQt(QString::fromUtf8("カ") + QString(before, QLatin1Char('a')) + parts
                              + QString::fromUtf8("カ").repeated(6)))
                    ++failures;
            }
        }
        QCOMPARE(failures, 0);
        QVERIFY(decomposed > 1000);
        // Every mark after letters it joins with and letters it does not.
        for (char32_t m = 0x300; m < 0x10000 && failures < 5; ++m) {
            if (QChar::combiningClass(m) == 0)
                continue;
            const QString mark = QString::fromUcs4(&m, 1);
            for (const char *base : {"A", "e", "\xD0\x98", "\xD0\xB5", "\xE3\x82\xAB", "\xE3\x83\x8F",
                                     "\xCE\xB1", "\xC3\xA9", "\xE2\x84\xAA", "\xEA\xB0\x80", " "}) {
                const QString text = QString::fromUtf8(base) + mark + QStringLiteral("q");
                if (!sameAsQt(text) || !sameAsQt(text.repeated(6)))
                    ++failures;
            }
        }
        QCOMPARE(failures, 0);
    }

    // Random texts from characters at the edges of the block folds (the
    // capitals around them, marks, characters cut at every byte), judged
    // valid as Qt judges them and keyed as Qt keys them.
    void randomTextsFoldAsQtFolds()
    {
        static const char *const pieces[] = {
            "a", "Z", " ", "\\", "\xC3\x80", "\xC3\x97", "\xC3\x9E", "\xC3\x9F", "\xC3\xBF", "\xC2\xB5",
            "\xD0\x80", "\xD0\x8F", "\xD0\x90", "\xD0\xAF", "\xD0\xB0", "\xD1\x8F", "\xD1\x9F", "\xD1\xA0",
            "\xD2\x90", "\xCC\x81", "\xCC\x88", "\xCD\x85", "\xE3\x81\x8B", "\xE3\x82\x99", "\xE3\x82\x9A",
            "\xE3\x80\xAA", "\xE3\x80\x80", "\xE9\xBF\xBF", "\xE4\xB8\x80", "\xEA\x80\x80", "\xEF\xBC\xA1",
            "\xE2\x84\xAA", "\xF0\x9F\x98\x80", "\xC5\xBF", "\xCE\xA3", "\xE1\xBA\x9E",
            "\xC4\x8C", "\xC5\x99", "\xC4\xB0", "\xC4\xBF", "\xC5\x89", "\xC5\xB8", "\xC5\xBD"};
        static const char bytes[] = {'\x80', '\xBF', '\xC3', '\xC4', '\xD0', '\xD1', '\xE3', '\xE9', '\xED',
                                     '\xF0', '\xFF', 'A', '\xA0', '\x99'};
        QRandomGenerator random(2026);
        int failures = 0;
        for (int round = 0; round < 3000 && failures < 5; ++round) {
            QByteArray text;
            const int length = int(random.bounded(1, 90));
            for (int i = 0; i < length; ++i)
                text += pieces[random.bounded(int(std::size(pieces)))];
            if (random.bounded(2)) {
                const qsizetype at = random.bounded(text.size());
                const char b = bytes[random.bounded(int(std::size(bytes)))];
                switch (random.bounded(3)) {
                case 0: text[at] = b; break;
                case 1: text.insert(at, b); break;
                default: text.remove(at, 1); break;
                }
            }
            const QByteArray expected = QUtf8StringView(text).isValidUtf8()
                ? searchKey(QString::fromUtf8(text))
                : QByteArrayLiteral("invalid");
            if (fastKey(text) != expected) {
                qWarning("%s", text.toHex(' ').constData());
                ++failures;
            }
        }
        QCOMPARE(failures, 0);
    }

    void validUtf8Length_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("length");
        const QByteArray ascii(40, 'a');
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("ascii") << ascii << 40;
        QTest::newRow("whole characters") << QByteArray(ascii + "\xD0\xB0\xE3\x83\xBC\xF0\x9F\x98\x80") << 49;
        QTest::newRow("two-byte cut after its lead") << QByteArray(ascii + "\xD0") << 40;
        QTest::newRow("three-byte cut after one") << QByteArray(ascii + "\xE3") << 40;
        QTest::newRow("three-byte cut after two") << QByteArray(ascii + "\xE3\x83") << 40;
        QTest::newRow("four-byte cut after three") << QByteArray(ascii + "\xF0\x9F\x98") << 40;
        QTest::newRow("only a cut character") << QByteArray("\xE3\x83") << 0;
        QTest::newRow("stray continuation at the end") << QByteArray(ascii + "\x80") << 0;
        QTest::newRow("lead then ASCII at the end") << QByteArray(ascii + "\xD0z") << 0;
        QTest::newRow("Windows-1252 inside") << QByteArray("\"Caf\xE9\"\r\n" + ascii + "\xD0\xB0") << 0;
        QTest::newRow("bad byte, then a cut character")
            << QByteArray("\xFF" + ascii + "\xE3\x83") << 0;
    }
    void validUtf8Length()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, length);
        QCOMPARE(kobrix::validUtf8Length(view(bytes)), std::size_t(length));
    }

    // A character or a stray byte at every place around the 32-byte blocks
    // of the check, among ASCII blocks, which the check passes over quickly
    // but for a character that the block before left unfinished.
    void validUtf8AroundAsciiBlocks()
    {
        static const char *const inserts[] = {"\xD0", "\xE3\x83", "\xF0\x9F\x98", "\xD0\xB0",
                                              "\xE3\x83\xBC", "\xF0\x9F\x98\x80", "\x80", "\xC0\xAF",
                                              "\xED\xA0\x80", "\xFF"};
        for (int before = 0; before < 100; ++before) {
            for (const char *insert : inserts) {
                const QByteArray text = QByteArray(before, 'a') + insert + QByteArray(70, 'b');
                QCOMPARE(isValidUtf8(view(text)), QUtf8StringView(text).isValidUtf8());
            }
        }
    }

    // A catalog read in chunks of every size gives each record the lines it
    // gives read alone: records in UTF-8 checked with their chunk, Windows-
    // 1252 ones among them, characters cut by the chunk ends.
    void chunksReadAsSingleRecords()
    {
        static const char *const records[] = {
            "\"\xD0\x94\xD1\x80\xD0\xBE\xD0\xB2\xD0\xB0 1 - \\\xD0\x94\xD1\x80\xD0\xB0\xD0\xB9\xD0\xB2\xD0\xB5\xD1\x80.sys\"\r\n",
            "\"\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88 - \\\xE3\x83\x86\xE3\x82\x99\xE3\x83\xBC\xE3\x82\xBF.bin\"\r\n",
            "\"Caf\xE9 M\xFCller - \\\xC4rger.mp3\"\r\n", // Windows-1252
            "\"Plain - \\SETUP.EXE\"\r\n",
            "\"Mixed \xC3\xA9 then 1252 \xE9\"\r\n",
            "\"Two\",\"Fi\xC3\xA9lds\"\r\n",
            "\"Cut \xE3\x83\"\r\n", // a character cut short: Windows-1252 by the rules
            "\"\xF0\x9F\x98\x80 emoji\"\n",
        };
        QByteArray file;
        QStringList expected;
        QRandomGenerator random(7);
        for (int i = 0; i < 400; ++i) {
            const QByteArray record = records[random.bounded(int(std::size(records)))];
            file += record;
            expected += parseInChunks(record, record.size());
        }
        for (const qsizetype chunk : {1, 2, 3, 5, 7, 31, 64, 333, 4096, 1 << 20})
            QCOMPARE(parseInChunks(file, chunk), expected);
    }
};

QTEST_GUILESS_MAIN(TestFoldBlocks)
#include "tst_core_foldblocks.moc"
