// Which characters a line must hold for its search key to hold a letter:
// what lets kobrix-cli find pass over lines without looking at their keys.

#include "core/SearchKey.h"

#include <QList>
#include <QString>
#include <QTest>

#include <algorithm>
#include <vector>

using namespace kobrix;

class TestKeySources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The characters a key holds a letter for: the letter, its capitals and
    // lookalikes; nothing for a character that may come from anything else.
    void keySources_data()
    {
        QTest::addColumn<uint>("c");
        QTest::addColumn<QString>("sources"); // sorted; empty: no clue
        QTest::newRow("Cyrillic el") << uint(U'л') << QString::fromUtf8("Лл");
        QTest::newRow("Cyrillic a, also composed into others") << uint(U'а') << QString::fromUtf8("Аа");
        QTest::newRow("Cyrillic yo: composed") << uint(U'ё') << QString();
        QTest::newRow("Greek sigma and final sigma") << uint(U'σ') << QString::fromUtf8("Σςσ");
        QTest::newRow("Greek omega and the Ohm sign") << uint(U'ω') << QString::fromUtf8("Ωω\u2126");
        QTest::newRow("Greek iota and the ypogegrammeni") << uint(U'ι') << QString::fromUtf8("\u0345Ιι\u1FBE");
        QTest::newRow("capital: never in a key") << uint(U'Л') << QString();
        QTest::newRow("ASCII") << uint(U'a') << QString();
        QTest::newRow("micro sign folds to mu") << uint(U'μ') << QString::fromUtf8("\u00B5Μμ");
        QTest::newRow("Devanagari ka: part of an excluded composition") << uint(0x0915) << QString();
        QTest::newRow("combining mark") << uint(0x0308) << QString();
        QTest::newRow("kana: no case, itself") << uint(U'タ') << QString::fromUtf8("タ");
        QTest::newRow("outside the Basic Multilingual Plane") << uint(0x10428) << QString();
    }
    void keySources()
    {
        QFETCH(uint, c);
        QFETCH(QString, sources);
        std::vector<char32_t> got = kobrix::keySources(char32_t(c));
        std::sort(got.begin(), got.end());
        QCOMPARE(QString::fromUcs4(got.data(), qsizetype(got.size())), sources);
    }

    // The blocks that the key table fills without asking Qt hold only what
    // it takes them to: characters that fold to themselves, combine with
    // nothing and decompose only as Hangul syllables do.
    void plainBlocksAreWhatQtSays()
    {
        for (const PlainBlock &block : kPlainBlocks) {
            for (char32_t c = block.first; c <= block.last; ++c) {
                const auto tag = block.hangulSyllables ? QChar::Canonical : QChar::NoDecomposition;
                if (QChar::toCaseFolded(c) != c || QChar::combiningClass(c) != 0
                    || QChar::decompositionTag(c) != tag)
                    QFAIL(qPrintable(QString::number(uint(c), 16)));
            }
        }
        // A syllable still composes with a trailing consonant after it.
        QCOMPARE(searchKey(QString::fromUtf8("\uAC00\u11A8")), searchKey(QString::fromUtf8("\uAC01")));
    }

    // A key holds a character with sources only where its text holds one of
    // them: every character alone, decomposed, and followed by marks.
    void keysHoldSourcedCharactersOnlyFromThem()
    {
        QString wrong;
        const auto check = [&wrong](const QString &text) {
            const QList<uint> chars = text.toUcs4();
            for (const uint k : QString::fromUtf8(searchKey(text)).toUcs4()) {
                const std::vector<char32_t> sources = kobrix::keySources(char32_t(k));
                if (sources.empty())
                    continue;
                if (std::none_of(sources.begin(), sources.end(),
                                 [&](char32_t s) { return chars.contains(uint(s)); }))
                    wrong += QStringLiteral("%1 gives U+%2; ")
                                 .arg(QString::number(chars.first(), 16))
                                 .arg(uint(k), 4, 16, QLatin1Char('0'));
            }
        };
        for (char32_t c = 0x80; c < 0x110000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const QString alone = QString::fromUcs4(&c, 1);
            check(alone);
            if (QChar::decompositionTag(c) == QChar::Canonical)
                check(alone.normalized(QString::NormalizationForm_D));
            if (c < 0x10000 && (c & 0x3F) == 0) // marks after a sample of characters
                check(alone + QString::fromUtf8("̣̈́"));
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.left(500)));
    }
};

QTEST_GUILESS_MAIN(TestKeySources)
#include "tst_core_keysources.moc"
