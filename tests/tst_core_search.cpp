// Matching rule of the catalog search.

#include "TestSupport.h"
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
        QTest::newRow("blanks only match every non-empty line") << "   " << L{0, 1, 2, 3, 5, 6, 7, 8, 9};
        QTest::newRow("single hyphen matches every separator") << "-" << L{0, 1, 2, 3, 5, 6, 7, 8, 9};
        QTest::newRow("across the separator") << "1 - \\S" << L{0, 5};
        QTest::newRow("duplicates kept in catalog order") << "setup" << L{0, 5};
        QTest::newRow("disc name") << "photos, 2002" << L{2};
        QTest::newRow("extension") << ".dat" << L{1};
        QTest::newRow("non-ascii folded") << QString::fromUtf8("STRASSE") << L{};
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
        const LineStore store = toStore(catalog());
        const Matcher matcher(effectiveSearchText(typed));

        std::vector<qsizetype> all;
        matcher.findIn(store, 0, store.count(), all);
        QCOMPARE(QList<qsizetype>(all.begin(), all.end()), hits);

        // Searching slice by slice gives the same lines, as does the per-line test.
        std::vector<qsizetype> sliced;
        for (qsizetype from = 0; from < store.count(); from += 3)
            matcher.findIn(store, from, from + 3, sliced);
        QCOMPARE(QList<qsizetype>(sliced.begin(), sliced.end()), hits);
        QList<qsizetype> perLine;
        for (qsizetype i = 0; i < store.count(); ++i) {
            if (matcher.matches(store.at(i)))
                perLine << i;
            QCOMPARE(matcher.matchesUtf8(store.utf8At(i)), matcher.matches(store.at(i)));
        }
        QCOMPARE(perLine, hits);
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
