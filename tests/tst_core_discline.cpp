#include "core/DiscLine.h"

#include <QTest>

using namespace kobrix;

class DiscLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitsAtFirstSeparatorBeforeBackslash_data();
    void splitsAtFirstSeparatorBeforeBackslash();
};

void DiscLineTest::splitsAtFirstSeparatorBeforeBackslash_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("hasDisc");
    QTest::addColumn<QString>("disc");
    QTest::addColumn<QString>("path");

    QTest::newRow("plain") << "Games 1 - \\SETUP.EXE" << true << "Games 1" << "\\SETUP.EXE";
    QTest::newRow("folder") << "Games 1 - \\DATA\\LEVEL1.DAT" << true << "Games 1" << "\\DATA\\LEVEL1.DAT";
    QTest::newRow("comma in disc") << "Photos, 2002 - \\IMG001.JPG" << true << "Photos, 2002" << "\\IMG001.JPG";
    QTest::newRow("dash in disc") << "Photos - 2002 - \\IMG001.JPG" << true << "Photos - 2002" << "\\IMG001.JPG";
    QTest::newRow("dash in path") << "A - \\B - \\C.TXT" << true << "A" << "\\B - \\C.TXT";
    QTest::newRow("empty disc name") << " - \\X" << true << "" << "\\X";
    QTest::newRow("root only") << "D - \\" << true << "D" << "\\";
    QTest::newRow("hand-made") << "shopping list" << false << "" << "shopping list";
    QTest::newRow("dash without backslash") << "A - B" << false << "" << "A - B";
    QTest::newRow("no space before dash") << "A- \\B" << false << "" << "A- \\B";
    QTest::newRow("empty line") << "" << false << "" << "";
    QTest::newRow("accented") << "Église été - \\Ünïcödé\\файл.txt" << true << "Église été"
                              << "\\Ünïcödé\\файл.txt";
    QTest::newRow("japanese") << "写真 - 2002 - \\データ\\画像.jpg" << true << "写真 - 2002"
                              << "\\データ\\画像.jpg";
}

void DiscLineTest::splitsAtFirstSeparatorBeforeBackslash()
{
    QFETCH(QString, line);
    QFETCH(bool, hasDisc);
    QFETCH(QString, disc);
    QFETCH(QString, path);

    const DiscLine split = splitDiscLine(QStringView(line));
    QCOMPARE(split.hasDisc, hasDisc);
    QCOMPARE(split.disc.toString(), disc);
    QCOMPARE(split.path.toString(), path);

    // The UTF-8 form splits the same line at the same place.
    const QByteArray utf8 = line.toUtf8();
    const DiscLineUtf8 bytes = splitDiscLine(std::string_view(utf8.constData(), std::size_t(utf8.size())));
    QCOMPARE(bytes.hasDisc, hasDisc);
    QCOMPARE(QString::fromUtf8(bytes.disc.data(), qsizetype(bytes.disc.size())), disc);
    QCOMPARE(QString::fromUtf8(bytes.path.data(), qsizetype(bytes.path.size())), path);
}

QTEST_APPLESS_MAIN(DiscLineTest)
#include "tst_core_discline.moc"
