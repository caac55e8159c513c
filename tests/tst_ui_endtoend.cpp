// The whole program along the typical road, with the real windows over
// scripted dialogs and a drive whose discs are fixture folders: a new
// catalog from two discs, restart, search, the discs of the catalog. Also the ways the program ends,
// the About box and the donation link as the controller wires them.

#include "UiTestSupport.h"
#include "DiscsWindowControls.h"
#include "ui/main/AppController.h"
#include "ui/main/DiscUpdateDialog.h"
#include "ui/discs/DiscTreeModel.h"
#include "ui/discs/DiscsWindow.h"
#include "ui/main/Form2.h"
#include "ui/main/Form3.h"
#include "ui/main/Form4.h"
#include "ui/common/Links.h"
#include "ui/discs/SearchResultModel.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTreeView>
#include "ui/common/LineListView.h"
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace kobrix;
using namespace kobrix::test;

namespace {

const QString kDrive = QStringLiteral("D:\\");

void clickToolbar(Form1 *main, const QString &key)
{
    QAction *button = main->toolbarButton(key);
    QVERIFY2(button, qPrintable(key));
    QWidget *widget = main->Toolbar1->widgetForAction(button);
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton);
}

void triggerMenu(QAction *item)
{
    QVERIFY(item->isEnabled());
    item->trigger();
}

// Lets windows discarded with deleteLater() go.
void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QStringList listLines(const LineListView *view)
{
    QStringList lines;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        lines << view->model()->index(row, 0).data().toString();
    return lines;
}

// The start dialog as it is first shown.
void verifyInitialStartDialog(const Form2 *start)
{
    QVERIFY(start);
    QVERIFY(start->isVisible());
    QVERIFY(start->Option1->isChecked());
    QVERIFY(!start->Option2->isEnabled());
    QCOMPARE(start->Text1->text(), QStringLiteral("Enter Catalog name here"));
    QVERIFY(start->Label1->isVisible() && start->Text1->isVisible());
    QVERIFY(start->Command1->isEnabled());
}

// Fake drives that tell when the drive list is read (drive discovery).
class ProbingDrives : public FakeDriveSource
{
public:
    QString logicalDriveStrings() override
    {
        if (onDiscovery)
            onDiscovery();
        return FakeDriveSource::logicalDriveStrings();
    }
    std::function<void()> onDiscovery;
};

// The program with scripted services and one CD-ROM drive.
struct Program
{
    Program()
    {
        drives.addDrive(QStringLiteral("C:\\"), 3);
        drives.addCdDrive(kDrive);
        UiServices services = io.services();
        services.drives = &drives;
        controller = std::make_unique<AppController>(services);
        QObject::connect(controller.get(), &AppController::quitRequested,
                         [this] { ++quitRequests; });
        controller->start();
    }
    ~Program()
    {
        controller.reset();
        flushDeletes();
    }
    Form2 *start() const { return controller->startDialog(); }
    Form1 *main() const { return controller->mainWindow(); }

    ScriptedServices io;
    ProbingDrives drives;
    std::unique_ptr<AppController> controller;
    int quitRequests = 0;
};

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typicalRoad()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString disc1 = dir.filePath(QStringLiteral("disc1"));
        const QString disc2 = dir.filePath(QStringLiteral("disc2"));
        writeFile(disc1, QStringLiteral("SETUP.EXE"), "MZ");
        writeFile(disc1, QStringLiteral("DATA/LEVEL1.DAT"), "level");
        writeFile(disc2, QStringLiteral("IMG001.JPG"), "jpeg");
        writeFile(disc2, QStringLiteral("VIEWER/SETUP.INI"), "[viewer]");
        const QString catalog = dir.filePath(QStringLiteral("Music.cdc"));

        Program p;
        p.drives.insertDisc(kDrive, disc1);
        verifyInitialStartDialog(p.start());
        QVERIFY(!p.main());

        // Create a new CD Catalog named Music. The main window's load step
        // (its drive discovery) runs while the start dialog is still open.
        QPointer<Form2> start = p.start();
        QStringList discoveries;
        p.drives.onDiscovery = [&] {
            discoveries << QString(p.start()->isVisible() ? "start dialog open" : "closed");
        };
        start->Text1->clear();
        QTest::keyClicks(start->Text1, QStringLiteral("Music"));
        QTest::mouseClick(start->Command1, Qt::LeftButton);
        QCOMPARE(discoveries, QStringList{"start dialog open"});
        Form1 *main = p.main();
        QVERIFY(main);
        QCOMPARE(main->session().mode(), WorkMode::NewCatalog);
        QVERIFY(main->isVisible());
        QVERIFY(!start->isVisible());
        QCOMPARE(main->windowTitle(), QStringLiteral("Music.cdc - Kobrix"));
        QCOMPARE(main->Text3->text(), QStringLiteral("Music"));
        QCOMPARE(controlState(*main), QStringLiteral("Label2 off|Text2 off|Command3 off shown|"
                                                     "Command4 on hidden|Command2 on hidden|drives on"));
        QVERIFY(!main->toolbarButton(QStringLiteral("Load"))->isEnabled());
        QVERIFY(!main->mnuLoad->isEnabled());
        QVERIFY(main->session().catalog().lines().isEmpty());

        // Scan the first disc.
        clickToolbar(main, kDrive);
        QCOMPARE(toStringList(main->session().catalog().lines()),
                 (QStringList{"\\SETUP.EXE", "\\DATA\\LEVEL1.DAT"}));
        QCOMPARE(main->statusText(), QStringLiteral("Total: 2 files"));
        QCOMPARE(controlState(*main), QStringLiteral("Label2 on|Text2 on|Command3 on shown|"
                                                     "Command4 on hidden|Command2 on hidden|drives on"));

        // Name it and write the catalog.
        QTest::keyClicks(main->Text2, QStringLiteral("Games 1"));
        p.io.dialogs.answer(catalog);
        QTest::mouseClick(main->Command3, Qt::LeftButton);
        QCOMPARE(p.io.dialogs.last()->mode, FileDialogMode::Save);
        QCOMPARE(p.io.dialogs.last()->fileName, QStringLiteral("Music"));
        QCOMPARE(readFile(catalog), QByteArray("\"Games 1 - \\SETUP.EXE\"\r\n"
                                               "\"Games 1 - \\DATA\\LEVEL1.DAT\"\r\n"));
        QCOMPARE(controlState(*main), QStringLiteral("Label2 off|Text2 off|Command3 off shown|"
                                                     "Command4 off shown|Command2 on shown|drives off"));
        QVERIFY(p.io.messages.shown.empty());

        // Scan New CD, then the second disc.
        QTest::mouseClick(main->Command2, Qt::LeftButton);
        QCOMPARE(p.io.messages.texts(),
                 QStringList{"Place The next CD in the CD-Drive and click OK"});
        QCOMPARE(main->Text2->text(), QString());
        QCOMPARE(controlState(*main), QStringLiteral("Label2 off|Text2 off|Command3 off hidden|"
                                                     "Command4 on shown|Command2 off shown|drives on"));
        p.drives.insertDisc(kDrive, disc2);
        clickToolbar(main, kDrive);
        QCOMPARE(toStringList(main->session().catalog().lines()),
                 (QStringList{"\\IMG001.JPG", "\\VIEWER\\SETUP.INI"}));
        QCOMPARE(controlState(*main), QStringLiteral("Label2 on|Text2 on|Command3 on hidden|"
                                                     "Command4 on shown|Command2 off shown|drives on"));

        // Name it and add it to the catalog.
        QTest::keyClicks(main->Text2, QStringLiteral("Photos, 2002"));
        p.io.dialogs.answer(catalog);
        QTest::mouseClick(main->Command4, Qt::LeftButton);
        const QByteArray catalogBytes("\"Games 1 - \\SETUP.EXE\"\r\n"
                                      "\"Games 1 - \\DATA\\LEVEL1.DAT\"\r\n"
                                      "\"Photos, 2002 - \\IMG001.JPG\"\r\n"
                                      "\"Photos, 2002 - \\VIEWER\\SETUP.INI\"\r\n");
        QCOMPARE(readFile(catalog), catalogBytes);
        QCOMPARE(controlState(*main), QStringLiteral("Label2 off|Text2 off|Command3 on hidden|"
                                                     "Command4 off shown|Command2 on shown|drives off"));

        // Restart: the start dialog in its initial state, the main window
        // gone with all its data.
        QPointer<Form1> firstMain = main;
        clickToolbar(main, QStringLiteral("Restart"));
        flushDeletes();
        QVERIFY(firstMain.isNull());
        QVERIFY(!p.main());
        verifyInitialStartDialog(p.start());
        QCOMPARE(p.quitRequests, 0);

        // Search an Existing CD Catalog.
        start = p.start();
        QTest::mouseClick(start->Option3, Qt::LeftButton);
        QVERIFY(!start->Text1->isVisible());
        p.io.dialogs.answer(catalog);
        QTest::mouseClick(start->Command1, Qt::LeftButton);
        main = p.main();
        QVERIFY(main);
        QCOMPARE(main->session().mode(), WorkMode::SearchCatalog);
        QCOMPARE(p.io.dialogs.last()->mode, FileDialogMode::Open);
        QCOMPARE(p.io.dialogs.last()->flags, 0x806u);
        // The open dialog comes up over the start dialog, not the hidden main window.
        QCOMPARE(p.io.dialogs.parents.back(), static_cast<QWidget *>(start));
        QVERIFY(main->isVisible());
        QVERIFY(!start->isVisible());
        QCOMPARE(main->windowTitle(), catalog + " - Kobrix");
        QCOMPARE(main->Text3->text(), catalog);
        QCOMPARE(toStringList(main->session().catalog().lines()),
                 (QStringList{"Games 1 - \\SETUP.EXE", "Games 1 - \\DATA\\LEVEL1.DAT",
                              "Photos, 2002 - \\IMG001.JPG", "Photos, 2002 - \\VIEWER\\SETUP.INI"}));
        QCOMPARE(listLines(main->List2), toStringList(main->session().catalog().lines()));
        QCOMPARE(controlState(*main), QStringLiteral("Label2 on|Text2 on|Command3 off shown|"
                                                     "Command4 off shown|Command2 off hidden|drives off"));
        QVERIFY(main->toolbarButton(QStringLiteral("Load"))->isEnabled());
        QVERIFY(main->mnuLoad->isEnabled());

        // Find "setup".
        clickToolbar(main, QStringLiteral("Find"));
        QPointer<Form3> search = p.controller->searchWindow();
        QVERIFY(search);
        QVERIFY(search->isVisible());
        QCOMPARE(search->parentWidget(), main);
        QCOMPARE(QApplication::activeModalWidget(), search.data());
        QCOMPARE(search->windowTitle(), QStringLiteral("Find"));
        // Modal: the main window takes no input meanwhile.
        const std::size_t dialogsBefore = p.io.dialogs.requests.size();
        // Clicked as the window system reports it, so modality applies.
        QWidget *load = main->Toolbar1->widgetForAction(main->toolbarButton(QStringLiteral("Load")));
        QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {},
                          load->mapTo(main, load->rect().center()));
        QCOMPARE(p.io.dialogs.requests.size(), dialogsBefore);
        QTest::keyClicks(search->Text1, QStringLiteral("setup"));
        QTest::mouseClick(search->Command1, Qt::LeftButton);
        QTRY_VERIFY(!search->isSearching());
        QCOMPARE(listLines(search->List1),
                 (QStringList{"Games 1 - \\SETUP.EXE", "Photos, 2002 - \\VIEWER\\SETUP.INI"}));
        QCOMPARE(search->windowTitle(), QStringLiteral("Find  -  Found 2 Item(s)"));
        QCOMPARE(search->lbl_results->text(), QStringLiteral("Found 2 Item(s)"));

        // Cancel discards the search window; the catalog is as it was.
        QTest::mouseClick(search->Command2, Qt::LeftButton);
        flushDeletes();
        QVERIFY(search.isNull());
        QVERIFY(main->isVisible());
        QCOMPARE(main->session().catalog().lines().count(), 4);
        QCOMPARE(readFile(catalog), catalogBytes);
        // Now the same click reaches the main window (its open dialog is
        // cancelled: nothing changes).
        QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {},
                          load->mapTo(main, load->rect().center()));
        QCOMPARE(p.io.dialogs.requests.size(), dialogsBefore + 1);
        QCOMPARE(main->session().catalog().lines().count(), 4);
        QCOMPARE(main->windowTitle(), catalog + " - Kobrix");

        // Find again: a fresh window.
        triggerMenu(main->mnuFind);
        search = p.controller->searchWindow();
        QVERIFY(search);
        QCOMPARE(search->Text1->text(), QString());
        QCOMPARE(search->results()->count(), 0);
        QCOMPARE(search->windowTitle(), QStringLiteral("Find"));
        QCOMPARE(search->lbl_results->text(), QString());
        search->close();
        flushDeletes();
        QVERIFY(search.isNull());

        // The discs of the catalog (Ctrl+D): both with their files, the
        // second one's folders; Esc closes the window and the catalog stays
        // as it was.
        QApplication::setActiveWindow(main);
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTest::keyClick(main, Qt::Key_D, Qt::ControlModifier);
        QPointer<DiscsWindow> discs = main->discsWindow();
        QVERIFY(discs);
        QCOMPARE(QApplication::activeModalWidget(), discs.data());
        QVERIFY(QTest::qWaitFor([&] { return discs->isReady(); }));
        QCOMPARE(ui(discs).totalsLabel->text(), QStringLiteral("2 disc(s), 4 file(s)"));
        QTest::keyClick(ui(discs).discList, Qt::Key_Down);
        QCOMPARE(ui(discs).folderHeading->text(),
                 QStringLiteral("Photos, 2002: 2 file(s) in 1 folder(s)"));
        QCOMPARE(discs->treeModel()->index(0, 0).data().toString(), QStringLiteral("VIEWER"));
        QTest::keyClick(ui(discs).discList, Qt::Key_Escape);
        flushDeletes();
        QVERIFY(discs.isNull());
        QCOMPARE(main->session().catalog().lines().count(), 4);
        QCOMPARE(readFile(catalog), catalogBytes);

        QCOMPARE(p.quitRequests, 0);
        QCOMPARE(p.io.messages.texts(),
                 QStringList{"Place The next CD in the CD-Drive and click OK"});
    }

    // The road goes on: a disc already in the catalog, changed since, is
    // scanned again to add it; the main window says it is there, and its
    // update replaces the disc's records in the catalog.
    void rescannedDiscIsRecognisedAndUpdated()
    {
        QTemporaryDir dir;
        const QString disc = dir.filePath(QStringLiteral("disc"));
        for (int i = 0; i < 10; ++i)
            writeFile(disc, QStringLiteral("DATA/FILE%1.DAT").arg(i), "x");
        const QString catalog = dir.filePath(QStringLiteral("Music.cdc"));

        Program p;
        p.drives.insertDisc(kDrive, disc);
        p.start()->Text1->clear();
        QTest::keyClicks(p.start()->Text1, QStringLiteral("Music"));
        QTest::mouseClick(p.start()->Command1, Qt::LeftButton);
        Form1 *main = p.main();
        QVERIFY(main);
        clickToolbar(main, kDrive);
        QTest::keyClicks(main->Text2, QStringLiteral("Games 1"));
        p.io.dialogs.answer(catalog);
        QTest::mouseClick(main->Command3, Qt::LeftButton);
        const QByteArray written = readFile(catalog);
        QCOMPARE(written.count('\n'), 10);

        // The disc gains a file; "Scan New CD" and scan it again.
        writeFile(disc, QStringLiteral("README.TXT"), "x");
        QTest::mouseClick(main->Command2, Qt::LeftButton);
        clickToolbar(main, kDrive);
        const QString state = controlState(*main);
        QTRY_VERIFY(!main->session().isRecognising());
        QVERIFY(main->discNotice->isVisible());
        QCOMPARE(main->discNotice->text(),
                 QStringLiteral("Already in Music.cdc as \"Games 1\" (10 of 11 files)"));
        QCOMPARE(controlState(*main), state);
        QCOMPARE(main->statusText(), QStringLiteral("Total: 11 files"));

        // Straight to the update; confirmed with Enter.
        QTest::mouseClick(main->discNoticeButton, Qt::LeftButton);
        QTRY_VERIFY(main->discUpdateDialog() && main->discUpdateDialog()->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), main->discUpdateDialog());
        QTest::keyClick(main->discUpdateDialog(), Qt::Key_Return);
        QTRY_VERIFY(!main->discUpdateDialog());
        QCOMPARE(readFile(catalog), "\"Games 1 - \\README.TXT\"\r\n" + written);
        QCOMPARE(main->discNotice->text(),
                 QStringLiteral("Updated \"Games 1\" in Music.cdc: 1 added, 0 removed, 10 unchanged"));
        // Done with the disc, as after "Add to Catalog...": the next one
        // begins with "Scan New CD".
        QCOMPARE(controlState(*main),
                 QStringLiteral("Label2 off|Text2 off|Command3 off hidden|Command4 off shown|"
                                "Command2 on shown|drives off"));
        QCOMPARE(p.io.messages.texts(),
                 QStringList{"Place The next CD in the CD-Drive and click OK"});
    }

    // A cancelled open dialog leaves the start dialog with OK; the next OK
    // loads a fresh main window for the mode then chosen.
    void cancelledOpenThenNewCatalog()
    {
        Program p;
        Form2 *start = p.start();
        QTest::mouseClick(start->Option4, Qt::LeftButton);
        p.io.dialogs.cancel();
        QTest::mouseClick(start->Command1, Qt::LeftButton);
        QPointer<Form1> hidden = p.main();
        QVERIFY(hidden);
        QVERIFY(!hidden->isVisible());
        QVERIFY(start->isVisible() && start->Command1->isEnabled());

        QTest::mouseClick(start->Option1, Qt::LeftButton);
        QTest::mouseClick(start->Command1, Qt::LeftButton);
        flushDeletes();
        QVERIFY(hidden.isNull());
        Form1 *main = p.main();
        QVERIFY(main && main->isVisible());
        QCOMPARE(main->session().mode(), WorkMode::NewCatalog);
        QCOMPARE(main->windowTitle(), QStringLiteral("Enter Catalog name here.cdc - Kobrix"));
        QCOMPARE(controlState(*main), QStringLiteral("Label2 off|Text2 off|Command3 off shown|"
                                                     "Command4 on hidden|Command2 on hidden|drives on"));
        QCOMPARE(p.io.dialogs.requests.size(), 1u);
    }

    // Restart by toolbar or menu with a scanned disc not written: the disc
    // listing goes with the main window, and the start dialog forgets the
    // name typed before.
    void restartDiscardsEverything_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("toolbar") << false;
        QTest::newRow("menu") << true;
    }
    void restartDiscardsEverything()
    {
        QFETCH(bool, fromMenu);
        QTemporaryDir dir;
        writeFile(dir.path(), QStringLiteral("SETUP.EXE"), "x");
        Program p;
        p.drives.insertDisc(kDrive, dir.path());
        p.start()->Text1->setText(QStringLiteral("Jazz"));
        QTest::mouseClick(p.start()->Command1, Qt::LeftButton);
        QPointer<Form1> main = p.main();
        QCOMPARE(main->windowTitle(), QStringLiteral("Jazz.cdc - Kobrix"));
        clickToolbar(main, kDrive);
        QCOMPARE(main->session().catalog().lines().count(), 1);

        // The search window with results is open when the restart comes (the
        // restart command is given directly: the window is modal).
        clickToolbar(main, QStringLiteral("Find"));
        QPointer<Form3> search = p.controller->searchWindow();
        QVERIFY(search);
        search->Text1->setText(QStringLiteral("setup"));
        search->find();
        search->finishSearch();
        QCOMPARE(search->results()->count(), 1);

        if (fromMenu)
            triggerMenu(main->mnuRestart);
        else
            main->toolbarButton(QStringLiteral("Restart"))->trigger();
        flushDeletes();
        QVERIFY(main.isNull());
        QVERIFY(search.isNull());
        QVERIFY(!QApplication::activeModalWidget());
        verifyInitialStartDialog(p.start());
        QCOMPARE(p.quitRequests, 0);

        // The next OK loads a new main window from its designed state.
        QTest::mouseClick(p.start()->Command1, Qt::LeftButton);
        QVERIFY(p.main());
        QVERIFY(p.main()->session().catalog().lines().isEmpty());
        QCOMPARE(p.main()->Text2->text(), QString());
        QCOMPARE(p.main()->List3->count(), 1);
        QCOMPARE(p.main()->Toolbar1->actions().size(), 4);
    }

    // The ways the program ends.
    void programEnds_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("start dialog Cancel") << "cancel";
        QTest::newRow("start dialog close box") << "start close box";
        QTest::newRow("main window close box") << "main close box";
        QTest::newRow("Exit") << "exit";
    }
    void programEnds()
    {
        QFETCH(QString, how);
        Program p;
        if (how == "cancel") {
            QTest::mouseClick(p.start()->Command2, Qt::LeftButton);
        } else if (how == "start close box") {
            p.start()->close();
        } else {
            QTest::mouseClick(p.start()->Command1, Qt::LeftButton);
            QVERIFY(p.main()->isVisible());
            if (how == "exit")
                triggerMenu(p.main()->mnuExit);
            else
                p.main()->close();
            QVERIFY(!p.main()->isVisible());
            // The start dialog does not come back.
            QVERIFY(!p.start()->isVisible());
        }
        QCOMPARE(p.quitRequests, 1);
        QVERIFY(p.io.dialogs.requests.empty());
    }

    // The About box over the main window: a link opens and closes it, and
    // the main window is as it was.
    void aboutBox()
    {
        Program p;
        QTest::mouseClick(p.start()->Command1, Qt::LeftButton);
        Form1 *main = p.main();
        const QString stateBefore = controlState(*main);

        triggerMenu(main->mnuAbout);
        QPointer<Form4> about = p.controller->aboutBox();
        QVERIFY(about && about->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), about.data());
        QTest::mouseClick(about->Label6, Qt::LeftButton);
        flushDeletes();
        QVERIFY(about.isNull());
        QCOMPARE(p.io.shell.opened, QStringList{mailLink()});

        // A new showing starts with the links in the standard colour.
        triggerMenu(main->mnuAbout);
        about = p.controller->aboutBox();
        QTest::mouseMove(about->windowHandle(), about->Label4->geometry().center());
        QCOMPARE(Form4::labelColor(about->Label4), Form4::highlightColor());
        QTest::mouseClick(about->Command1, Qt::LeftButton);
        flushDeletes();
        QVERIFY(about.isNull());
        triggerMenu(main->mnuAbout);
        about = p.controller->aboutBox();
        QVERIFY(Form4::labelColor(about->Label4) != Form4::highlightColor());
        about->close();
        flushDeletes();

        QVERIFY(main->isVisible());
        QCOMPARE(controlState(*main), stateBefore);
        QCOMPARE(p.quitRequests, 0);
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_ui_endtoend.moc"
