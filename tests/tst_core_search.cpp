// Matching rule of the catalog search.

#include "TestSupport.h"
#include "core/SearchKey.h"
#include "search/Matcher.h"

#include <QTest>

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
        const L everyLine{0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};
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
        // As does the test of one line.
        QList<qsizetype> perLine;
        for (qsizetype i = 0; i < catalog().size(); ++i) {
            if (matcher.matches(catalog().at(i)))
                perLine << i;
        }
        QCOMPARE(perLine, hits);
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
        QTest::newRow("accented, run present") << QString::fromUtf8("müller") << QByteArray("M\xC3\x9CLLER") << true;
        QTest::newRow("accented, run in Windows-1252") << QString::fromUtf8("müller") << QByteArray("M\xFCller") << true;
        QTest::newRow("accented, run absent") << QString::fromUtf8("müller") << QByteArray("Mueler") << false;
        QTest::newRow("run through the long s") << QString::fromUtf8("straße") << QByteArray("\xC5\xBFtra\xC3\x9F" "e") << true;
        QTest::newRow("no ASCII run, all letters with case: any line outside ASCII") << QString::fromUtf8("ёлка") << QString::fromUtf8("Диск").toUtf8() << true;
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

    void emptyStoreFindsNothing()
    {
        const LineStore store;
        QCOMPARE(Matcher(u"a").countIn(store), 0);
        QCOMPARE(Matcher(u"").countIn(store), 0);
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_core_search.moc"
