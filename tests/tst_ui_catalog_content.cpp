// The main window tells its catalog what its lines are (a catalog's lines
// after a load, a disc's listing after a scan, nothing after "Scan New CD")
// and when they change, so that the discs of a loaded catalog can be shown.

#include "UiTestSupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

class TestUiCatalogContent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contentFollowsTheWork_data();
    void contentFollowsTheWork();
};

void TestUiCatalogContent::contentFollowsTheWork_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("content"); // Catalog::Content
    QTest::addColumn<QStringList>("discs"); // "name=files"

    using C = Catalog::Content;
    QTest::newRow("nothing yet") << QStringList{} << int(C::Nothing) << QStringList{};
    QTest::newRow("load") << QStringList{"load"} << int(C::CatalogLines)
                          << QStringList{"Games 1=2", "Photos - 2002=1", "Games 2=1"};
    QTest::newRow("scan") << QStringList{"scan"} << int(C::DiscListing) << QStringList{};
    QTest::newRow("load, then scan") << QStringList{"load", "scan"} << int(C::DiscListing)
                                     << QStringList{};
    QTest::newRow("scan, then load") << QStringList{"scan", "load"} << int(C::CatalogLines)
                                     << QStringList{"Games 1=2", "Photos - 2002=1", "Games 2=1"};
    QTest::newRow("load, then a file that is missing")
        << QStringList{"load", "load missing"} << int(C::CatalogLines)
        << QStringList{"Games 1=2", "Photos - 2002=1", "Games 2=1"};
    QTest::newRow("scan, add, Scan New CD") << QStringList{"scan", "add, new cd"} << int(C::Nothing)
                                            << QStringList{};
}

void TestUiCatalogContent::contentFollowsTheWork()
{
    QFETCH(QStringList, steps);
    QFETCH(int, content);
    QFETCH(QStringList, discs);

    QTemporaryDir dir;
    const QString disc = dir.filePath(QStringLiteral("disc"));
    makeSampleDisc(disc);
    writeFile(dir.path(), QStringLiteral("Games.cdc"),
              "\"Games 1 - \\SETUP.EXE\"\r\n\"Photos - 2002 - \\IMG.JPG\"\r\n"
              "\"Games 2 - \\INSTALL.EXE\"\r\n\"Games 1 - \\DATA\\LEVEL1.DAT\"\r\n");

    Form1Harness w(WorkMode::AddDisc);
    Form1 &f = *w.form;
    QSignalSpy changed(&f.session().catalog(), &Catalog::linesChanged);
    int changes = 0;
    for (const QString &step : steps) {
        if (step == u"load") {
            w.io.dialogs.answer(dir.filePath(QStringLiteral("Games.cdc")));
            f.mnuLoad->trigger();
            ++changes;
        } else if (step == u"load missing") {
            w.io.dialogs.answer(dir.filePath(QStringLiteral("missing.cdc")));
            f.mnuLoad->trigger();
        } else if (step == u"scan") {
            f.Command2->click(); // Scan New CD: the scan commands come on
            w.io.dialogs.answer(disc);
            f.scanFolderAction->trigger();
            changes += 3; // emptied by Scan New CD and by the scan's start, then filled
        } else if (step == u"add, new cd") {
            // Added to a catalog, then "Scan New CD" empties the list.
            f.Text2->setText(QStringLiteral("Disc"));
            w.io.dialogs.answer(dir.filePath(QStringLiteral("Out.cdc")));
            f.Command4->click();
            QCOMPARE(int(f.session().catalog().content()), int(Catalog::Content::DiscListing));
            f.Command2->click();
            ++changes;
        }
        // Every change of the lines is announced.
        QVERIFY2(changed.count() >= changes, qPrintable(step));
        changes = int(changed.count());
    }

    QCOMPARE(int(f.session().catalog().content()), content);
    QStringList described;
    const DiscIndex &index = f.session().catalog().discs();
    for (qsizetype d = 0; d < index.count(); ++d)
        described << index.name(d) + u'=' + QString::number(index.fileCount(d));
    QCOMPARE(described, discs);
}

QTEST_MAIN(TestUiCatalogContent)
#include "tst_ui_catalog_content.moc"
