// Matching rule of the catalog search.

#include "TestSupport.h"
#include "catalog/CatalogFile.h"
#include "core/SearchKey.h"
#include "search/BytePattern.h"
#include "search/Matcher.h"

#include <QRandomGenerator>
#include <QTest>
#include <QUtf8StringView>

using namespace kobrix;
using namespace kobrix::test;

class TestSearch : public QObject
{
    Q_OBJECT

private:
    static const QStringList &catalog()
    {
        static const QStringList lines{
            "Games 1 - \\SETUP.EXE",           // 0
            "Games 1 - \\DATA\\LEVEL1.DAT",    // 1
            "Photos, 2002 - \\IMG001.JPG",     // 2
            "Games 1 - \\ReadMe.txt",          // 3
            "",                                // 4
            "Games 1 - \\SETUP.EXE",           // 5 (duplicate of 0)
            QString::fromUtf8("Müsik - \\Straße\\Ärger.mp3"), // 6
            QString::fromUtf8("Temp - \\200\u212A.log"),      // 7 (Kelvin sign)
            "Tab\there - \\x",                 // 8
            "Games 10 - \\read me.txt",        // 9
            QString::fromUtf8("Диск 1 - \\Ёлка.mp3"),          // 10 Cyrillic
            QString::fromUtf8("Δίσκος - \\ΟΔΥΣΣΕΥΣ.txt"),      // 11 Greek capitals
            QString::fromUtf8("日本 - \\ト\u3099ラコ\u3099ン.txt"), // 12 Japanese, decomposed
            QString::fromUtf8("Mac - \\Cafe\u0301.txt"),       // 13 decomposed é
            QString::fromUtf8("PC - \\Café.txt"),              // 14 composed é
            "Plain - \\cafe.txt",                               // 15
            QString::fromUtf8("Long - \\\u017FETUP.INI"),        // 16 long s
            QString::fromUtf8("Fuß - \\Straße.doc"),           // 17
            QString::fromUtf8("日本 - \\ドラゴン.jpg"),          // 18 Japanese, composed
            QString::fromUtf8("Q - \\why\u037E.txt"),          // 19 Greek question mark
            QString::fromUtf8("V - \\a\u1FEFb.txt"),           // 20 Greek varia
            QString::fromUtf8("Old - \\\u017Ftraße.txt"),        // 21 long s and sharp s
            QString::fromUtf8("Kana - \\データ\u3099"),           // 22 a mark voices the last kana
            QString::fromUtf8("Ru - \\ёлке\u0308"),               // 23 a mark makes the last е ё
        };
        return lines;
    }

private Q_SLOTS:
    void effectiveText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("effective");
        QTest::newRow("blanks around") << "  readme  " << "readme";
        QTest::newRow("inner blanks stay") << " read me " << "read me";
        QTest::newRow("blanks only") << "   " << "";
        QTest::newRow("tabs stay") << "\treadme\t" << "\treadme\t";
        QTest::newRow("no-break space stays") << QString::fromUtf8("\u00A0x ") << QString::fromUtf8("\u00A0x");
    }
    void effectiveText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, effective);
        QCOMPARE(effectiveSearchText(typed), effective);
    }

    void matches_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<qsizetype>>("hits");
        using L = QList<qsizetype>;
        QTest::newRow("case ignored") << "README" << L{3};
        QTest::newRow("blanks around ignored") << "  readme  " << L{3};
        QTest::newRow("inner blank must match") << "read me" << L{9};
        const L everyLine{0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23};
        QTest::newRow("blanks only match every non-empty line") << "   " << everyLine;
        QTest::newRow("single hyphen matches every separator") << "-" << everyLine;
        QTest::newRow("empty text matches every non-empty line") << "" << everyLine;
        QTest::newRow("across the separator") << "1 - \\S" << L{0, 5};
        QTest::newRow("duplicates kept in catalog order, long s folds to s") << "setup" << L{0, 5, 16};
        QTest::newRow("long s typed") << QString::fromUtf8("\u017Fetup") << L{0, 5, 16};
        QTest::newRow("disc name") << "photos, 2002" << L{2};
        QTest::newRow("extension") << ".dat" << L{1};
        QTest::newRow("sharp s is not ss") << QString::fromUtf8("STRASSE") << L{};
        QTest::newRow("sharp s") << QString::fromUtf8("straße") << L{6, 17, 21};
        QTest::newRow("capital sharp s folds to sharp s") << QString::fromUtf8("STRAẞE") << L{6, 17, 21};
        QTest::newRow("Greek question mark is a semicolon") << "why;" << L{19};
        QTest::newRow("Greek varia is a grave accent") << "a`b" << L{20};
        QTest::newRow("cyrillic, any case") << QString::fromUtf8("ёЛКА") << L{10};
        QTest::newRow("cyrillic upper") << QString::fromUtf8("ДИСК 1") << L{10};
        QTest::newRow("greek with final sigma") << QString::fromUtf8("οδυσσευς") << L{11};
        QTest::newRow("greek capitals") << QString::fromUtf8("ΔΊΣΚΟΣ") << L{11};
        QTest::newRow("composed finds decomposed and composed") << QString::fromUtf8("café") << L{13, 14};
        QTest::newRow("decomposed finds both") << QString::fromUtf8("CAFE\u0301") << L{13, 14};
        QTest::newRow("a letter before its accent is not the plain letter") << "cafe" << L{15};
        QTest::newRow("plain letter before an ASCII byte") << "cafe." << L{15};
        QTest::newRow("voiced kana composed finds both forms") << QString::fromUtf8("ドラゴン") << L{12, 18};
        QTest::newRow("voiced kana decomposed finds both forms")
            << QString::fromUtf8("ト\u3099ラコ\u3099ン") << L{12, 18};
        QTest::newRow("kana across the separator") << QString::fromUtf8("本 - \\ド") << L{12, 18};
        QTest::newRow("kana text, a mark after it voices its last kana") << QString::fromUtf8("データ") << L{};
        QTest::newRow("kana text, voiced by the mark") << QString::fromUtf8("デーダ") << L{22};
        QTest::newRow("kana text before the mark") << QString::fromUtf8("デー") << L{22};
        QTest::newRow("cyrillic text, a mark after it changes its last letter") << QString::fromUtf8("ёлке") << L{};
        QTest::newRow("cyrillic text, changed by the mark") << QString::fromUtf8("ЁЛКЁ") << L{23};
        QTest::newRow("accented text, ASCII capital in the line") << QString::fromUtf8("müsik") << L{6};
        QTest::newRow("non-ascii case") << QString::fromUtf8("ärger") << L{6};
        QTest::newRow("non-ascii upper") << QString::fromUtf8("MÜSIK") << L{6};
        QTest::newRow("kelvin sign folds to k") << "200k" << L{7};
        QTest::newRow("kelvin sign typed") << QString::fromUtf8("\u212A.LOG") << L{7};
        QTest::newRow("tab is part of the text") << "\there" << L{8};
        QTest::newRow("nothing") << "zzz" << L{};
        QTest::newRow("longer than any line") << QString(200, QLatin1Char('a')) << L{};
    }
    void matches()
    {
        QFETCH(QString, typed);
        QFETCH(QList<qsizetype>, hits);
        const Matcher matcher(effectiveSearchText(typed));
        // With the search keys kept (the window) and without (kobrix-cli for
        // an ASCII text), the same lines.
        for (const bool keys : {true, false}) {
            LineStore store;
            store.setKeepSearchKeys(keys);
            for (const QString &line : catalog())
                store.append(line);

            std::vector<qsizetype> all;
            matcher.findIn(store, 0, store.count(), all);
            QCOMPARE(QList<qsizetype>(all.begin(), all.end()), hits);

            // Searching slice by slice gives the same lines.
            std::vector<qsizetype> sliced;
            for (qsizetype from = 0; from < store.count(); from += 3)
                matcher.findIn(store, from, from + 3, sliced);
            QCOMPARE(QList<qsizetype>(sliced.begin(), sliced.end()), hits);
        }
        // As does each line searched on its own, with Qt's own normalizer
        // and case folding (searchKey of a QString) as the judge.
        QList<qsizetype> perLine;
        QList<qsizetype> byQtKeys;
        const QByteArray textKey = searchKey(effectiveSearchText(typed));
        for (qsizetype i = 0; i < catalog().size(); ++i) {
            LineStore one;
            one.append(catalog().at(i));
            if (matcher.countIn(one) == 1)
                perLine << i;
            if (!catalog().at(i).isEmpty() && searchKey(catalog().at(i)).contains(textKey))
                byQtKeys << i;
        }
        QCOMPARE(perLine, hits);
        QCOMPARE(byQtKeys, hits);
    }

    // A line that holds the text more than once is one result: the search
    // goes on at the next line, not after the first hit inside the same one.
    void eachLineListedOnce_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<qsizetype>>("hits");
        using L = QList<qsizetype>;
        const QStringList twice{"Games 1 - \\SETUP\\SETUP.EXE", "Games 1 - \\README.TXT",
                                "Setup - \\setup\\setup.ini\\SETUP.BAK", "x"};
        QTest::newRow("ascii text twice in a line") << twice << "setup" << L{0, 2};
        QTest::newRow("ascii text overlapping itself")
            << QStringList{"aaaa", "b", "aaa"} << "aa" << L{0, 2};
        QTest::newRow("ascii text in each of two neighbours")
            << QStringList{"ab ab", "ab ab"} << "ab" << L{0, 1};
        QTest::newRow("ascii text and a lookalike in one line")
            << QStringList{QString::fromUtf8("D - \\\u017FETUP\\SETUP.EXE"), "none"} << "setup" << L{0};
        QTest::newRow("lookalike twice in one line")
            << QStringList{QString::fromUtf8("D - \\200\u212A\\300\u212A.log"), "k"} << "0k" << L{0};
        QTest::newRow("non-ascii text twice in a line")
            << QStringList{QString::fromUtf8("Müsik - \\Müsik\\müsik.mp3"), QString::fromUtf8("Müsik - x")}
            << QString::fromUtf8("müsik") << L{0, 1};
        QTest::newRow("japanese text twice in a line")
            << QStringList{QString::fromUtf8("日本 - \\データ\\データ.bin"), "a", QString::fromUtf8("データ")}
            << QString::fromUtf8("データ") << L{0, 2};
    }
    void eachLineListedOnce()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, typed);
        QFETCH(QList<qsizetype>, hits);
        const Matcher matcher(effectiveSearchText(typed));
        for (const bool keys : {true, false}) {
            LineStore store;
            store.setKeepSearchKeys(keys);
            for (const QString &line : lines)
                store.append(line);
            std::vector<qsizetype> found;
            matcher.findIn(store, 0, store.count(), found);
            QCOMPARE(QList<qsizetype>(found.begin(), found.end()), hits);
            QCOMPARE(matcher.countIn(store), hits.size());
        }
    }

    // The table's fast path gives the same keys as Qt's normalizer and case
    // folding, for every character of the Basic Multilingual Plane.
    void fastKeysEqualQtKeys()
    {
        for (char32_t c = 1; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const QString text = QStringLiteral("a") + QString::fromUcs4(&c, 1) + QStringLiteral("Z");
            const QByteArray utf8 = text.toUtf8();
            ByteBuffer fast;
            QVERIFY(appendSearchKey(fast, std::string_view(utf8.constData(), std::size_t(utf8.size()))));
            const QByteArray expected = searchKey(text);
            if (QByteArray(fast.data(), qsizetype(fast.size())) != expected)
                QFAIL(qPrintable(QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0'))));
        }
    }

    // The search looks for the lookalikes of ASCII characters; these are all
    // the characters whose key holds an ASCII character.
    void asciiLookalikesAreComplete()
    {
        QString found;
        for (char32_t c = 0x80; c < 0x110000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const QByteArray key = searchKey(QString::fromUcs4(&c, 1));
            for (const char b : key) {
                if (static_cast<unsigned char>(b) < 0x80) {
                    found += QChar(b);
                    found += QString::fromUcs4(&c, 1);
                    break;
                }
            }
        }
        QString expected;
        for (const AsciiLookalike &l : kAsciiLookalikes)
            expected += QChar(l.ascii) + QString::fromUtf8(l.utf8.data(), qsizetype(l.utf8.size()));
        QCOMPARE(found, expected);
    }

    // A record is passed over only when it cannot hold a matching line.
    void recordFilter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("mayMatch");
        QTest::newRow("ascii, present") << "setup" << QByteArray("D - \\SETUP.EXE") << true;
        QTest::newRow("ascii, absent") << "setup" << QByteArray("D - \\INSTALL.EXE") << false;
        QTest::newRow("ascii through the long s") << "setup" << QByteArray("D - \\\xC5\xBF" "ETUP") << true;
        QTest::newRow("ascii through the Kelvin sign") << "200k" << QByteArray("200\xE2\x84\xAA") << true;
        QTest::newRow("ascii through the Greek question mark") << "why;" << QByteArray("why\xCD\xBE") << true;
        QTest::newRow("ascii through the Greek varia") << "a`b" << QByteArray("a\xE1\xBF\xAF" "b") << true;
        QTest::newRow("accented, run present") << QString::fromUtf8("müller") << QByteArray("M\xC3\x9CLLER") << true;
        QTest::newRow("accented, run in Windows-1252") << QString::fromUtf8("müller") << QByteArray("M\xFCller") << true;
        QTest::newRow("accented, run absent") << QString::fromUtf8("müller") << QByteArray("Mueler") << false;
        QTest::newRow("run through the long s") << QString::fromUtf8("straße") << QByteArray("\xC5\xBFtra\xC3\x9F" "e") << true;
        QTest::newRow("no ASCII run: a line without its letters in any case cannot hold it") << QString::fromUtf8("ёлка") << QString::fromUtf8("Диск").toUtf8() << false;
        QTest::newRow("Cyrillic letters, lower case") << QString::fromUtf8("ёлка") << QString::fromUtf8("Ёлка").toUtf8() << true;
        QTest::newRow("Cyrillic letters, capitals") << QString::fromUtf8("ёлка") << QString::fromUtf8("ЁЛКА").toUtf8() << true;
        QTest::newRow("Cyrillic letters, mixed case") << QString::fromUtf8("ёлка") << QString::fromUtf8("ёЛкА").toUtf8() << true;
        QTest::newRow("Cyrillic letters, ё decomposed") << QString::fromUtf8("ёлка") << QString::fromUtf8("ёлка").toUtf8() << true;
        QTest::newRow("Cyrillic letters in a Japanese line") << QString::fromUtf8("ёлка") << QString::fromUtf8("ドラゴン").toUtf8() << false;
        QTest::newRow("Greek, final sigma") << QString::fromUtf8("σσ") << QString::fromUtf8("Σς").toUtf8() << true;
        QTest::newRow("Greek omega through the Ohm sign") << QString::fromUtf8("ω") << QByteArray("\xE2\x84\xA6") << true;
        QTest::newRow("Greek omega absent") << QString::fromUtf8("ω") << QString::fromUtf8("Ψ").toUtf8() << false;
        QTest::newRow("micro sign in Windows-1252") << QString::fromUtf8("μ") << QByteArray("10\xB5m") << true;
        QTest::newRow("en dash in Windows-1252") << QString::fromUtf8("–") << QByteArray("a\x96" "b") << true;
        QTest::newRow("euro sign in Windows-1252") << QString::fromUtf8("€ price") << QByteArray("\x80 price") << true;
        QTest::newRow("no ASCII run: an ASCII line cannot hold it") << QString::fromUtf8("ёлка") << QByteArray("abc") << false;
        QTest::newRow("accented, run in an ASCII line") << QString::fromUtf8("müller") << QByteArray("Muller") << false;
        QTest::newRow("kana run present") << QString::fromUtf8("データ") << QByteArray("\xe3\x83\xbc\xe3\x82\xbf") << true;
        QTest::newRow("kana run, voiced kana decomposed") << QString::fromUtf8("データ") << QString::fromUtf8("テ\u3099ータ").toUtf8() << true;
        QTest::newRow("kana run absent") << QString::fromUtf8("データ") << QString::fromUtf8("データベ").toUtf8().left(7) << false;
    }
    void recordFilter()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, record);
        QFETCH(bool, mayMatch);
        const Matcher matcher(text);
        QCOMPARE(matcher.mayMatchRecord(std::string_view(record.constData(), std::size_t(record.size()))),
                 mayMatch);
    }

    // Where the record reader of kobrix-cli find resumes: the first place a
    // line can hold the text, through any lookalike of its characters.
    void nextPossibleMatch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("at"); // -1: nowhere
        QTest::newRow("plain") << "setup" << QByteArray("\"x\"\r\n\"D - \\SETUP\"") << qsizetype(11);
        QTest::newRow("long s") << "setup" << QByteArray("\"x\"\r\n\"\xC5\xBF" "ETUP\"") << qsizetype(6);
        QTest::newRow("Kelvin sign") << "200k" << QByteArray("\"x\"\r\n\"200\xE2\x84\xAA\"") << qsizetype(9);
        QTest::newRow("Greek question mark") << "why;" << QByteArray("\"x\"\r\n\"why\xCD\xBE\"") << qsizetype(9);
        QTest::newRow("Greek varia") << "a`b" << QByteArray("\"x\"\r\n\"a\xE1\xBF\xAF" "b\"") << qsizetype(7);
        QTest::newRow("lookalike in a non-ASCII text's run")
            << QString::fromUtf8("straße") << QByteArray("\"x\"\r\n\"\xC5\xBFtra\xC3\x9F" "e\"") << qsizetype(6);
        QTest::newRow("plain before a lookalike")
            << "setup" << QByteArray("SETUP \xC5\xBF" "ETUP") << qsizetype(0);
        QTest::newRow("nowhere") << "setup" << QByteArray("\"D - \\INSTALL.EXE\"") << qsizetype(-1);
        // A Greek text is looked for over stretches of lines outside ASCII;
        // past their end, and past ASCII lines, line by line again.
        const QByteArray greek = QByteArray("\"\xCE\xB1\xCE\xB2\xCE\xB3\"\r\n").repeated(3000);
        const QByteArray ascii = QByteArray("\"abc\"\r\n").repeated(5000);
        const QByteArray sigma("\"x\xCF\x82\"");
        QTest::newRow("dense Greek lines, then the text") << QString::fromUtf8("σ") << greek + sigma
                                                          << qsizetype(greek.size() + 2);
        QTest::newRow("Greek, ASCII, then the text") << QString::fromUtf8("Σ") << greek + ascii + sigma
                                                     << qsizetype(greek.size() + ascii.size() + 2);
        QTest::newRow("Greek lines without the text") << QString::fromUtf8("σ") << greek + ascii << qsizetype(-1);
    }
    void nextPossibleMatch()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, at);
        const Matcher matcher(text);
        const std::size_t found
            = matcher.nextPossibleMatch(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        QCOMPARE(found == std::string_view::npos ? qsizetype(-1) : qsizetype(found), at);
    }

    // A character counted as standing in the keys only where the lines hold
    // it must really be so: no other character's key holds it.
    void literalCharactersComeOnlyFromThemselves()
    {
        QString wrong;
        for (char32_t c = 0x80; c < 0x110000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const QString key = QString::fromUtf8(searchKey(QString::fromUcs4(&c, 1)));
            for (const char32_t k : key.toUcs4()) {
                if (k != c && isLiteralInKeys(k))
                    wrong += QStringLiteral("U+%1 gives U+%2; ").arg(uint(c), 4, 16).arg(uint(k), 4, 16);
            }
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.left(500)));
        QVERIFY(isLiteralInKeys(U'タ'));
        QVERIFY(!isLiteralInKeys(U'デ')); // composed from テ and a mark
        QVERIFY(!isLiteralInKeys(U'ё'));  // has a capital
        QVERIFY(!isLiteralInKeys(U'ß'));  // ẞ folds to it
    }

    void invalidUtf8HasNoKey_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("lone continuation") << QByteArray("a\x80");
        QTest::newRow("cut short") << QByteArray("\xD0");
        QTest::newRow("overlong") << QByteArray("\xC0\xAF");
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80");
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
        QTest::newRow("Windows-1252") << QByteArray("Caf\xE9");
    }
    void invalidUtf8HasNoKey()
    {
        QFETCH(QByteArray, bytes);
        ByteBuffer key;
        key.push_back('x');
        QVERIFY(!appendSearchKey(key, std::string_view(bytes.constData(), std::size_t(bytes.size()))));
        QCOMPARE(QByteArray(key.data(), qsizetype(key.size())), QByteArray("x"));
    }

    // The block search finds what a byte-by-byte comparison finds, from
    // every start, in random text of several scripts with line ends, long
    // enough for every path (32 and 16 positions at a time, then one).
    void bytePatternFindsWhatComparisonFinds()
    {
        static const char *const pieces[] = {"a", "B", "e", "Z", "1", " ", "\\", "\n", "\r",
                                              "\xC3\xA9", "\xC3\x89", "\xC5\x99", "\xD0\x81",
                                              "\xD1\x91", "\xE3\x83\xBC", "\xE3\x82\xBF", "\xE3\x83\x87",
                                              "\xE3\x82\x99", "\xE2\x84\xAA", "\x80", "\xFF"};
        QRandomGenerator random(10);
        for (int round = 0; round < 300; ++round) {
            QByteArray text;
            const int length = int(random.bounded(1, 200));
            for (int i = 0; i < length; ++i)
                text += pieces[random.bounded(int(std::size(pieces)))];
            for (const bool ignoreCase : {true, false}) {
                const qsizetype at = random.bounded(text.size());
                QByteArray needle = text.mid(at, random.bounded(1, 12));
                if (round % 3 == 0)
                    needle = QByteArray(pieces[random.bounded(int(std::size(pieces)))]) + "e";
                if (ignoreCase)
                    needle = needle.toLower();
                const BytePattern pattern(needle, ignoreCase ? BytePattern::Case::IgnoreAscii
                                                             : BytePattern::Case::Exact);
                const QByteArray folded = ignoreCase ? text.toLower() : text;
                const std::string_view view(text.constData(), std::size_t(text.size()));
                for (qsizetype from = 0; from <= text.size(); ++from) {
                    const qsizetype expected = folded.indexOf(needle, from);
                    const std::size_t found = pattern.find(view, std::size_t(from));
                    QCOMPARE(found == std::string_view::npos ? qsizetype(-1) : qsizetype(found), expected);
                }
            }
            const std::string_view view(text.constData(), std::size_t(text.size()));
            for (qsizetype from = 0; from <= text.size(); ++from) {
                qsizetype high = from;
                while (high < text.size() && static_cast<unsigned char>(text[high]) < 0x80)
                    ++high;
                const std::size_t found = findNonAscii(view, std::size_t(from));
                QCOMPARE(found == std::string_view::npos ? text.size() : qsizetype(found), high);
                qsizetype end = from;
                while (end < text.size() && text[end] != '\n' && text[end] != '\r')
                    ++end;
                QCOMPARE(qsizetype(findLineEnd(view, std::size_t(from))), end);
            }
        }
    }

    // Several patterns looked for together find the first place any of
    // them stands, as looking for each does; with texts long enough for the
    // wide comparisons and sets of up to sixteen spellings.
    void firstOfSeveralPatterns()
    {
        static const char *const pieces[] = {"a", "B", " ", "\n", "\xD0\xBB", "\xD0\x9B", "\xD0\xBA",
                                              "\xD0\x9A", "\xCF\x83", "\xCE\xA3", "\xCF\x82", "\x80"};
        QRandomGenerator random(12);
        for (int round = 0; round < 60; ++round) {
            QByteArray text;
            for (int i = int(random.bounded(1, 1500)); i > 0; --i)
                text += pieces[random.bounded(int(std::size(pieces)))];
            std::vector<BytePattern> patterns;
            std::vector<QByteArray> needles;
            if (round % 3 == 0) {
                // Every spelling of a word of letters with capitals (at
                // most sixteen): these share their comparisons.
                needles = {QByteArray()};
                for (int i = int(random.bounded(1, 5)); i > 0; --i) {
                    const int letter = 4 + 2 * int(random.bounded(3));
                    std::vector<QByteArray> longer;
                    for (const QByteArray &start : needles) {
                        longer.push_back(start + pieces[letter]);
                        longer.push_back(start + pieces[letter + 1]);
                    }
                    needles = std::move(longer);
                }
            }
            for (int k = round % 3 == 0 ? 0 : int(random.bounded(1, 17)); k > 0; --k) {
                QByteArray needle;
                for (int i = int(random.bounded(1, 4)); i > 0; --i)
                    needle += pieces[random.bounded(4, int(std::size(pieces)))];
                if (random.bounded(3) == 0)
                    needle = text.mid(random.bounded(text.size()), random.bounded(1, 8));
                needles.push_back(needle);
            }
            for (const QByteArray &needle : needles)
                patterns.emplace_back(needle, BytePattern::Case::Exact);
            const BytePatternSet set(patterns);
            if (round % 3 == 0 && needles.size() > 2)
                QVERIFY(set.probeCount() < needles.size());
            const std::string_view view(text.constData(), std::size_t(text.size()));
            for (const qsizetype from : {qsizetype(0), random.bounded(text.size() + 1), text.size()}) {
                qsizetype expected = -1;
                for (const QByteArray &needle : needles) {
                    const qsizetype at = text.indexOf(needle, from);
                    if (at >= 0 && (expected < 0 || at < expected))
                        expected = at;
                }
                const std::size_t found = set.find(view, std::size_t(from));
                QCOMPARE(found == std::string_view::npos ? qsizetype(-1) : qsizetype(found), expected);
            }
        }
    }

    void kanaPatternAvoidsSharedBytes()
    {
        // Every kana starts E3 82 or E3 83: the last bytes tell them apart.
        const BytePattern pattern(QString::fromUtf8("ータ").toUtf8(), BytePattern::Case::Exact);
        QCOMPARE(pattern.firstAnchor(), std::size_t(2));
        QCOMPARE(pattern.secondAnchor(), std::size_t(5));
    }

    void validUtf8AgreesWithQt_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QByteArray("plain text, longer than eight bytes");
        QTest::newRow("two bytes") << QByteArray("\xD0\x94\xD0\xB8\xD1\x81\xD0\xBA");
        QTest::newRow("three bytes") << QByteArray("\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF");
        QTest::newRow("four bytes") << QByteArray("a\xF0\x9F\x98\x80z");
        QTest::newRow("lone continuation") << QByteArray("abcdefgh\x80");
        QTest::newRow("overlong two") << QByteArray("\xC1\xBF");
        QTest::newRow("overlong three") << QByteArray("\xE0\x9F\xBF");
        QTest::newRow("overlong four") << QByteArray("\xF0\x8F\xBF\xBF");
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80");
        QTest::newRow("last before surrogates") << QByteArray("\xED\x9F\xBF");
        QTest::newRow("U+10FFFF") << QByteArray("\xF4\x8F\xBF\xBF");
        QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
        QTest::newRow("F5") << QByteArray("\xF5\x80\x80\x80");
        QTest::newRow("cut short at the end") << QByteArray("abc\xE3\x83");
        QTest::newRow("Windows-1252") << QByteArray("Caf\xE9 M\xFCller");
    }
    void validUtf8AgreesWithQt()
    {
        QFETCH(QByteArray, bytes);
        const bool qt = QUtf8StringView(bytes).isValidUtf8();
        QCOMPARE(isValidUtf8(std::string_view(bytes.constData(), std::size_t(bytes.size()))), qt);
        // And with every byte behind it, random or not.
        QRandomGenerator random(uint(bytes.size()));
        for (int i = 0; i < 2000; ++i) {
            const QByteArray more = bytes + char(random.bounded(256)) + char(random.bounded(256));
            QCOMPARE(isValidUtf8(std::string_view(more.constData(), std::size_t(more.size()))),
                     QUtf8StringView(more).isValidUtf8());
        }
    }

    // Long texts, where the check takes 32 bytes at a time: valid UTF-8 of
    // every length of character, with one byte changed, cut or inserted at
    // every place, judged as Qt judges it.
    void validUtf8AgreesWithQtOnLongTexts()
    {
        static const char *const pieces[] = {"a", "Z", " ", "\xC3\xA9", "\xD0\x81", "\xDF\xBF",
                                              "\xE3\x83\xBC", "\xE0\xA0\x80", "\xED\x9F\xBF",
                                              "\xEF\xBF\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"};
        static const char bytes[] = {'\x80', '\xBF', '\xC0', '\xC2', '\xE0', '\xED', '\xF0', '\xF4',
                                     '\xF5', '\xFF', 'a', '\xA0', '\x90'};
        QRandomGenerator random(12);
        for (int round = 0; round < 400; ++round) {
            QByteArray text;
            const int length = int(random.bounded(20, 120));
            for (int i = 0; i < length; ++i)
                text += pieces[random.bounded(int(std::size(pieces)))];
            QVERIFY(isValidUtf8(std::string_view(text.constData(), std::size_t(text.size()))));
            for (qsizetype at = 0; at < text.size(); at += 1 + random.bounded(3)) {
                QByteArray changed = text;
                const char b = bytes[random.bounded(int(std::size(bytes)))];
                switch (random.bounded(3)) {
                case 0: changed[at] = b; break;
                case 1: changed.insert(at, b); break;
                default: changed.remove(at, 1); break;
                }
                const bool qt = QUtf8StringView(changed).isValidUtf8();
                if (isValidUtf8(std::string_view(changed.constData(), std::size_t(changed.size()))) != qt)
                    QFAIL(qPrintable(QString::fromLatin1(changed.toHex(' '))));
            }
        }
    }

    // kobrix-cli passes over the lines that cannot hold the text and makes
    // keys only for lines that need one. Over a catalog like the bench's,
    // mixed scripts, capitals, decomposed names and lookalikes, across read
    // chunks, it must count exactly the lines that the full keys find.
    void skippingFindsWhatFullKeysFind()
    {
        static const char *const names[] = {
            "M\xC3\xBCller", "M\xC3\x9CLLER", "Mu\xCC\x88ller", "Muller", "Dvo\xC5\x99\xC3\xA1k",
            "DVOR\xCC\x8C\xC3\x81K", "\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0", "\xD1\x91\xD0\xBB\xD0\xBA\xD0\xB0",
            "\xD0\xB5\xCC\x88\xD0\xBB\xD0\xBA\xD0\xB0", "\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF",
            "\xE3\x83\x86\xE3\x82\x99\xE3\x83\xBC\xE3\x82\xBF", "\xE3\x83\xBC\xE3\x82\xBF",
            "\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF\xE3\x82\x99", "SETUP", "\xC5\xBF" "etup", "set",
            "200\xE2\x84\xAA", "Stra\xC3\x9F" "e", "level1.dat", "Caf\xE9",
            "\xCE\x9F\xCE\x94\xCE\xA5\xCE\xA3\xCE\xA3\xCE\x95\xCE\xA5\xCE\xA3", // ΟΔΥΣΣΕΥΣ
            "\xCE\xBF\xCE\xB4\xCF\x85\xCF\x83\xCF\x83\xCE\xB5\xCF\x85\xCF\x82", // οδυσσευς
            "\xE2\x84\xA6mega", "\xCF\x89mega", "10\xB5m", "10\xCE\xBCm", "a\x96" "b", "a\xE2\x80\x93" "b",
            "\xD0\x9B\xD0\x9A\xD0\x90", "\xD0\x9B\xD0\x9A\xD0\x95", "\xD1\x91\xD0\xBB\xD0\xBA\xD0\xB5\xCC\x88",
            // Capitals and the final sigma stand for small letters in keys,
            // unless a mark after them makes another letter: РА + U+0308.
            "\xD0\xA0\xD0\x90\xCC\x88", "\xD0\xA0\xD0\xB0", "\xCF\x82", "\xCE\xA3\xCC\x81", "\xCE\xA3\xCC\x88"};
        QRandomGenerator random(11);
        QByteArray file;
        for (int i = 0; i < 40000; ++i) {
            QByteArray line = "Disc " + QByteArray::number(i % 97) + " - \\";
            for (int k = int(random.bounded(1, 5)); k > 0; --k) {
                line += names[random.bounded(int(std::size(names)))];
                line += random.bounded(4) == 0 ? "\\" : " ";
            }
            file += '"' + line + "\"\r\n";
        }
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mixed.cdc"));
        writeFile(dir.path(), QStringLiteral("mixed.cdc"), file);
        LineStore all;
        QVERIFY(!readCatalog(path, all, ExistingLines::Clear));
        QCOMPARE(all.count(), 40000);
        for (const char *text : {"m\xC3\xBCller", "dvo\xC5\x99\xC3\xA1k", "\xD1\x91\xD0\xBB\xD0\xBA\xD0\xB0",
                                 "\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF", "setup", "200k", "STRASSE",
                                 "stra\xC3\x9F" "e", "caf\xC3\xA9", "\xE3\x83\xBC", "1.dat",
                                 "\xCE\xBF\xCE\xB4\xCF\x85\xCF\x83\xCF\x83\xCE\xB5\xCF\x85\xCF\x82",
                                 "\xCF\x89m", "\xCE\xBCm", "\xE2\x80\x93", "\xD0\xBB\xD0\xBA\xD0\xB0",
                                 "\xD0\xBB\xD0\xBA\xD0\xB5", "\xCF\x83", "\xD1\x80\xD0\xB0", "\xD1\x80\xD3\x93",
                                 "disc"}) {
            const Matcher matcher(QString::fromUtf8(text));
            std::vector<qsizetype> expected;
            matcher.findIn(all, 0, all.count(), expected);
            QVERIFY2(!expected.empty() || QByteArray(text) == "STRASSE", text);

            CatalogReader reader;
            QVERIFY(!reader.open(path));
            // As kobrix-cli reads: records where the skip found the clue
            // are taken without the filter where the matcher says so.
            reader.setLineFilter(&Matcher::mayMatchRecordFilter, &matcher,
                                 &Matcher::nextPossibleMatchFilter,
                                 matcher.clueSettlesRecord()
                                     ? FieldParser::SkipRule::SettlesAndSearchDecides
                                     : FieldParser::SkipRule::Hint);
            reader.setRoom(CatalogReader::Room::SliceBySlice);
            LineStore slice;
            slice.setKeepSearchKeys(false);
            QStringList found;
            bool finished = false;
            while (!finished) {
                finished = reader.readSome(slice, std::chrono::nanoseconds(0));
                std::vector<qsizetype> hits;
                matcher.findIn(slice, 0, slice.count(), hits);
                for (const qsizetype i : hits)
                    found << slice.at(i);
                slice.clear();
            }
            QVERIFY(!reader.error());
            QStringList wanted;
            for (const qsizetype i : expected)
                wanted << all.at(i);
            QCOMPARE(found, wanted);
        }
    }

    void emptyStoreFindsNothing()
    {
        const LineStore store;
        QCOMPARE(Matcher(u"a").countIn(store), 0);
        QCOMPARE(Matcher(u"").countIn(store), 0);
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_core_search.moc"
