// Where else a file of a catalog stands: the same path on other discs, the
// same name in other folders of other discs, and the first line of a disc
// that holds a path or a name.

#include "discs/DiscIndex.h"
#include "discs/DiscOtherPlaces.h"

#include "TestSupport.h"

#include <QTest>

using namespace kobrix;
using kobrix::test::toStore;

namespace {

// A catalog of three discs (one of them appended twice, one with " - " in
// its name) and two lines made by hand.
QStringList sampleCatalog()
{
    return {
        QStringLiteral("Games 1 - \\SETUP.EXE"),              //  0
        QStringLiteral("Games 1 - \\DATA\\LEVEL1.DAT"),       //  1
        QStringLiteral("Games 1 - \\DATA\\README.TXT"),       //  2
        QStringLiteral("Photos - 2002 - \\README.TXT"),       //  3
        QStringLiteral("Photos - 2002 - \\DATA\\LEVEL1.DAT"), //  4
        QStringLiteral("SETUP.EXE"),                          //  5 by hand
        QStringLiteral("Games 2 - \\SETUP.EXE"),              //  6
        QStringLiteral("Games 2 - \\OLD\\DATA\\LEVEL1.DAT"),  //  7
        QStringLiteral("Games 2 - \\DATA\\level1.dat"),       //  8 other case
        QStringLiteral("Games 1 - \\EXTRA\\SETUP.EXE"),       //  9 appended later
        QStringLiteral("Games 2 - \\DATA\\LEVEL1.DAT.BAK"),   // 10 longer name
        QStringLiteral("Games 2 - \\XLEVEL1.DAT"),            // 11 name ends the same
        QStringLiteral("\\DATA\\LEVEL1.DAT"),                 // 12 by hand, path only
    };
}

QString numbers(const std::vector<qsizetype> &lines)
{
    QStringList out;
    for (const qsizetype line : lines)
        out << QString::number(line);
    return out.join(u' ');
}

} // namespace

class DiscOtherPlacesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsOtherPlaces_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("samePath");
        QTest::addColumn<QString>("sameName");

        // Other discs in the order of their first line, their lines in order;
        // never the file's own disc, nor the lines made by hand.
        QTest::newRow("path on two discs, name in another folder") << 1 << "4"
                                                                   << "7";
        QTest::newRow("from the other side") << 4 << "1"
                                             << "7";
        QTest::newRow("a folder deeper is the same name only") << 7 << ""
                                                               << "1 4";
        QTest::newRow("own disc's other folder left out") << 0 << "6"
                                                          << "";
        QTest::newRow("disc appended twice is one disc") << 6 << "0"
                                                         << "9";
        QTest::newRow("letter case counts") << 8 << ""
                                            << "";
        QTest::newRow("root file, name in a folder") << 3 << ""
                                                     << "2";
        QTest::newRow("longer name is another name") << 10 << ""
                                                     << "";
        QTest::newRow("line made by hand has no other discs") << 12 << ""
                                                              << "";
        QTest::newRow("other line made by hand") << 5 << ""
                                                 << "";
    }
    void findsOtherPlaces()
    {
        QFETCH(int, line);
        QFETCH(QString, samePath);
        QFETCH(QString, sameName);
        const LineStore store = toStore(sampleCatalog());
        DiscIndex index;
        index.build(store);
        const OtherPlaces found = findOnOtherDiscs(store, index, line);
        QCOMPARE(numbers(found.samePath), samePath);
        QCOMPARE(numbers(found.sameName), sameName);
    }

    void firstLineWithKey_data()
    {
        QTest::addColumn<QString>("disc");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("byName");
        QTest::addColumn<int>("line");

        QTest::newRow("path") << "Games 2"
                              << "\\SETUP.EXE" << false << 6;
        QTest::newRow("path, second run of the disc") << "Games 1"
                                                      << "\\EXTRA\\SETUP.EXE" << false << 9;
        QTest::newRow("path is not a name") << "Games 2"
                                            << "SETUP.EXE" << false << -1;
        QTest::newRow("name in a folder") << "Games 2"
                                          << "LEVEL1.DAT" << true << 7;
        QTest::newRow("name, first of two") << "Games 1"
                                            << "SETUP.EXE" << true << 0;
        QTest::newRow("name, letter case counts") << "Games 2"
                                                  << "LEVEL1.dat" << true << -1;
        QTest::newRow("name, disc with dash") << "Photos - 2002"
                                              << "LEVEL1.DAT" << true << 4;
        QTest::newRow("name ending the same is not it") << "Games 2"
                                                        << "LEVEL1.DAT.BAK" << true << 10;
    }
    void firstLineWithKey()
    {
        QFETCH(QString, disc);
        QFETCH(QString, key);
        QFETCH(bool, byName);
        QFETCH(int, line);
        const LineStore store = toStore(sampleCatalog());
        DiscIndex index;
        index.build(store);
        const QByteArray utf8 = key.toUtf8();
        QCOMPARE(kobrix::firstLineWithKey(
                     store, index, index.indexOf(disc),
                     std::string_view(utf8.constData(), std::size_t(utf8.size())),
                     byName ? DiscDuplicates::Key::FileName : DiscDuplicates::Key::Path),
                 qsizetype(line));
    }
};

QTEST_MAIN(DiscOtherPlacesTest)
#include "tst_core_discotherplaces.moc"
