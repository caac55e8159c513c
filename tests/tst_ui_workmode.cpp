// The settings of each work mode in the real main window: those of its load
// step and those that follow once the start dialog has named the catalog,
// which the start dialog has applied through the window's factory.

#include "UiTestSupport.h"
#include "discs/Catalog.h"
#include "ui/main/AppController.h"
#include "ui/main/Form3.h"
#include "ui/main/WorkModeSettings.h"

#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

Q_DECLARE_METATYPE(kobrix::WorkMode)

class TestWorkMode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The window after its load step and the start settings, with the
    // catalog named: the caption, Text3 and the controls that record where
    // the user stands.
    void startSettings_data()
    {
        QTest::addColumn<WorkMode>("mode");
        QTest::addColumn<QString>("catalog");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("state");

        const QString newState = "Label2 off|Text2 off|Command3 off shown|Command4 on hidden|"
                                 "Command2 on hidden|drives on";
        QTest::newRow("new: a name") << WorkMode::NewCatalog << "Music"
                                     << "Music.cdc - Kobrix" << newState;
        QTest::newRow("new: the proposed text")
            << WorkMode::NewCatalog << "Enter Catalog name here"
            << "Enter Catalog name here.cdc - Kobrix" << newState;
        QTest::newRow("new: one blank") << WorkMode::NewCatalog << " "
                                        << " .cdc - Kobrix" << newState;
        QTest::newRow("new: extension given twice") << WorkMode::NewCatalog << "music.cdc"
                                                    << "music.cdc.cdc - Kobrix" << newState;
        QTest::newRow("new: not trimmed") << WorkMode::NewCatalog << " Jazz "
                                          << " Jazz .cdc - Kobrix" << newState;
        QTest::newRow("search") << WorkMode::SearchCatalog << "/cats/MUSIC.CDC"
                                << "/cats/MUSIC.CDC - Kobrix"
                                << "Label2 on|Text2 on|Command3 off shown|Command4 off shown|"
                                   "Command2 off hidden|drives off";
        QTest::newRow("search: blanks and a comma")
            << WorkMode::SearchCatalog << "/my cats/Photos, 2002.cdc"
            << "/my cats/Photos, 2002.cdc - Kobrix"
            << "Label2 on|Text2 on|Command3 off shown|Command4 off shown|Command2 off hidden|"
               "drives off";
        QTest::newRow("add a disc") << WorkMode::AddDisc << "/cats/Music.cdc"
                                    << "/cats/Music.cdc - Kobrix"
                                    << "Label2 off|Text2 off|Command3 off shown|"
                                       "Command4 off shown|Command2 on shown|drives off";
    }
    void startSettings()
    {
        QFETCH(WorkMode, mode);
        QFETCH(QString, catalog);
        QFETCH(QString, caption);
        QFETCH(QString, state);
        Form1Harness w(mode, [](ScriptedServices &io) { io.drives.addCdDrive("D:\\"); });
        Form1 &f = *w.form;
        f.session().catalog().setPath(catalog);
        applyStartSettings(f, mode);
        QCOMPARE(f.windowTitle(), caption);
        QCOMPARE(f.Text3->text(), catalog);
        QCOMPARE(controlState(f), state);
    }

    // The whole start through the program's own windows: the start dialog
    // names the main window's catalog and has the settings applied; the
    // search window then searches that catalog's lines.
    void startThroughTheStartDialog_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("state");
        QTest::newRow("new") << "Option1"
                             << "Music.cdc - Kobrix"
                             << "Label2 off|Text2 off|Command3 off shown|Command4 on hidden|"
                                "Command2 on hidden|drives on";
        QTest::newRow("add a disc") << "Option4"
                                    << "%1 - Kobrix"
                                    << "Label2 off|Text2 off|Command3 off shown|"
                                       "Command4 off shown|Command2 on shown|drives off";
    }
    void startThroughTheStartDialog()
    {
        QFETCH(QString, option);
        QFETCH(QString, caption);
        QFETCH(QString, state);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Music.cdc"));
        writeFile(dir.path(), QStringLiteral("Music.cdc"),
                  "\"Games 1 - \\SETUP.EXE\"\r\n\"Games 2 - \\INSTALL.EXE\"\r\n");
        ScriptedServices io;
        io.drives.addCdDrive(QStringLiteral("D:\\"));
        io.dialogs.answer(path);
        AppController controller(io.services());
        controller.start();
        Form2 *start = controller.startDialog();
        start->findChild<QRadioButton *>(option)->click();
        start->Text1->setText(QStringLiteral("Music"));
        start->Command1->click();

        Form1 *main = controller.mainWindow();
        QVERIFY(main && main->isVisible());
        const bool opened = option != QLatin1String("Option1");
        QCOMPARE(main->session().catalog().path(), opened ? path : QStringLiteral("Music"));
        QCOMPARE(main->Text3->text(), main->session().catalog().path());
        QCOMPARE(main->windowTitle(), caption.arg(path));
        QCOMPARE(controlState(*main), state);
        QCOMPARE(main->session().catalog().lines().count(), opened ? 2 : 0);
        QVERIFY(io.messages.shown.empty());

        // The search window is handed the main window's catalog.
        if (opened) {
            main->mnuFind->trigger();
            Form3 *search = controller.searchWindow();
            QVERIFY(search);
            search->Text1->setText(QStringLiteral("install"));
            search->find();
            search->finishSearch();
            QCOMPARE(search->lbl_results->text(), QStringLiteral("Found 1 Item(s)"));
            search->close();
        }
    }
};

QTEST_MAIN(TestWorkMode)
#include "tst_ui_workmode.moc"
