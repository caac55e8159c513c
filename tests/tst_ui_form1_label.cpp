// The main window proposes the disc's own label as its name: after a scan,
// an empty Disk Name box holds the label, selected, with the focus in it,
// so that typing replaces it; a name typed before is kept, and a disc
// without a label (or a scan that did not complete) changes nothing. Enter
// in the box then writes, as "Write Catalog..." does.

#include "UiTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

class TestUiForm1Label : public QObject
{
    Q_OBJECT
private slots:
    void proposal_data();
    void proposal();
};

void TestUiForm1Label::proposal_data()
{
    QTest::addColumn<QString>("root");   // "image", "folder" or "damaged image"
    QTest::addColumn<QString>("volid");  // the image's label
    QTest::addColumn<QString>("typed");  // in the box before the scan
    QTest::addColumn<QString>("name");   // in the box after it
    QTest::addColumn<bool>("proposed");  // selected, with the focus
    const QString cyrillic = QStringLiteral("Летние фото Крым");
    QTest::newRow("labelled image, empty box") << "image" << "Urlaub 2019" << "" << "Urlaub 2019"
                                               << true;
    QTest::newRow("Cyrillic Joliet label") << "image" << cyrillic << "" << cyrillic << true;
    QTest::newRow("a name typed before stays") << "image" << "Urlaub 2019" << "Games 7"
                                               << "Games 7" << false;
    QTest::newRow("no label") << "image" << "" << "" << "" << false;
    QTest::newRow("folder that is no mount point") << "folder" << "" << "" << "" << false;
}

void TestUiForm1Label::proposal()
{
    QFETCH(QString, root);
    QFETCH(QString, volid);
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(bool, proposed);
    if (!hasXorriso())
        QSKIP("xorriso is not installed");
    QTemporaryDir dir;
    const QString disc = dir.filePath(QStringLiteral("disc"));
    makeSampleDisc(disc);
    const QString image = dir.filePath(QStringLiteral("disc.iso"));
    QVERIFY(runXorriso({"-outdev", image, "-volid", volid, "-joliet", "on", "-map", disc, "/"}));

    ScriptedServices io;
    Form1 f(io.services(), WorkMode::NewCatalog);
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.Text2->setText(typed);
    f.List2->setFocus();
    if (root == QLatin1String("image"))
        f.scanImage(image);
    else
        f.scanFolder(disc);
    QCOMPARE(io.messages.texts(), QStringList());
    QCOMPARE(toStringList(f.session().catalog().lines()), sampleDiscListing());

    QCOMPARE(f.Text2->text(), name);
    QCOMPARE(f.Text2->selectedText(), proposed ? name : QString());
    if (!proposed) {
        QCOMPARE(QApplication::focusWidget(), f.List2);
        return;
    }
    QTRY_COMPARE(QApplication::focusWidget(), f.Text2);
    // Typing replaces the label; the box then holds exactly what was typed.
    QTest::keyClicks(f.Text2, QStringLiteral("Disc 9"));
    QCOMPARE(f.Text2->text(), QStringLiteral("Disc 9"));
    // A second scan keeps the name now in the box.
    f.scanImage(image);
    QCOMPARE(f.Text2->text(), QStringLiteral("Disc 9"));
    // Enter asks where to write the catalog, as the button does.
    io.dialogs.cancel();
    QTest::keyClick(f.Text2, Qt::Key_Return);
    QVERIFY(io.dialogs.last());
    QCOMPARE(io.dialogs.last()->mode, FileDialogMode::Save);
}

QTEST_MAIN(TestUiForm1Label)
#include "tst_ui_form1_label.moc"
