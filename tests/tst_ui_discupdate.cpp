// "Update Disc in Catalog..." in the main window: when it is enabled, the
// confirmation and what confirming and cancelling do; and the notice after
// a scan that the disc is already in the catalog, which changes no designed
// state and leads straight to the update.

#include "UiTestSupport.h"
#include "catalog/CatalogFile.h"
#include "core/ProgramTexts.h"
#include "ui/main/DiscUpdateDialog.h"
#include "ui/main/WorkModeSettings.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace kobrix;
using namespace kobrix::test;

namespace {

const QString kDrive = QStringLiteral("D:\\");

// Records of the sample disc under a name, as the writers make them.
QByteArray block(const QString &disc, const QStringList &lines = sampleDiscListing())
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += '"' + (disc + QStringLiteral(" - ") + line).toUtf8() + "\"\r\n";
    return bytes;
}

// A main window with a drive holding the sample disc, as the start dialog
// leaves it in the work mode.
struct UpdateWindow
{
    explicit UpdateWindow(WorkMode mode = WorkMode::NewCatalog)
        : window(mode, [this](ScriptedServices &io) {
              makeSampleDisc(disc.path());
              io.drives.addCdDrive(kDrive, disc.path());
          })
    {
        applyStartSettings(form(), mode);
    }
    Form1 &form() { return *window.form; }
    QString catalog() const { return out.filePath(QStringLiteral("Music.cdc")); }
    // Scans the drive and waits for the comparison with the catalog to end.
    void scan()
    {
        form().ScanDrive(kDrive);
        QTRY_VERIFY(!form().session().isRecognising());
    }

    QTemporaryDir disc;
    QTemporaryDir out;
    Form1Harness window;
};

// The main window after an update in a new catalog: as after a write.
const QString kAfterUpdate = QStringLiteral(
    "Label2 off|Text2 off|Command3 off shown|Command4 off shown|Command2 on shown|drives off");

// The notice as shown (the window itself is not).
QString noticeText(Form1 &f) { return f.discNotice->isHidden() ? QString() : f.discNotice->text(); }

} // namespace

class TestUiDiscUpdate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // In the File menu, above "&Find", and enabled exactly when "Write
    // Catalog..." is, through the whole of the designed workflow.
    void enabledWithWriteCatalog_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("enabled");
        const int fresh = int(WorkMode::NewCatalog);
        QTest::newRow("new catalog, nothing scanned") << fresh << QStringList{} << false;
        QTest::newRow("a disc scanned") << fresh << QStringList{"scan"} << true;
        QTest::newRow("written") << fresh << QStringList{"scan", "write"} << false;
        QTest::newRow("next disc scanned, Write Catalog... hidden")
            << fresh << QStringList{"scan", "write", "next", "scan"} << true;
        QTest::newRow("added to the catalog")
            << fresh << QStringList{"scan", "write", "next", "scan", "add"} << true;
        QTest::newRow("an empty disc scanned") << fresh << QStringList{"empty", "scan"} << false;
        QTest::newRow("searching a catalog") << int(WorkMode::SearchCatalog) << QStringList{} << false;
        QTest::newRow("adding a disc") << int(WorkMode::AddDisc) << QStringList{} << false;
        QTest::newRow("adding a disc, scanned")
            << int(WorkMode::AddDisc) << QStringList{"next", "scan"} << true;
    }
    void enabledWithWriteCatalog()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, steps);
        QFETCH(bool, enabled);
        UpdateWindow w{WorkMode(mode)};
        Form1 &f = w.form();
        const QList<QAction *> items = f.mnuFile->menu()->actions();
        QCOMPARE(f.updateDiscAction->text(), QStringLiteral("&Update Disc in Catalog..."));
        QCOMPARE(items.indexOf(f.updateDiscAction) + 1, items.indexOf(f.mnuFind));
        for (const QString &step : steps) {
            if (step == QLatin1String("scan")) {
                w.scan();
            } else if (step == QLatin1String("empty")) {
                QDir(w.disc.path()).removeRecursively();
                QDir().mkpath(w.disc.path());
            } else if (step == QLatin1String("next")) {
                f.Command2->click();
            } else {
                f.Text2->setText(QStringLiteral("Disc ") + step);
                w.window.io.dialogs.answer(w.catalog());
                (step == QLatin1String("write") ? f.Command3 : f.Command4)->click();
            }
        }
        QCOMPARE(f.updateDiscAction->isEnabled(), enabled);
        QCOMPARE(f.updateDiscAction->isEnabled(), f.Command3->isEnabled());
    }

    // The changes are shown before anything is written; confirming writes
    // them, cancelling (by button or Escape) leaves the catalog.
    void confirmOrCancel_data()
    {
        QTest::addColumn<QString>("answer"); // "update", "enter", "cancel", "escape"
        QTest::addColumn<bool>("written");
        QTest::newRow("Update") << "update" << true;
        QTest::newRow("Enter") << "enter" << true;
        QTest::newRow("Cancel") << "cancel" << false;
        QTest::newRow("Escape") << "escape" << false;
    }
    void confirmOrCancel()
    {
        QFETCH(QString, answer);
        QFETCH(bool, written);
        UpdateWindow w;
        Form1 &f = w.form();
        // The catalog holds the disc in two places, with a file since
        // deleted and without one since added.
        QStringList old = sampleDiscListing();
        old.replace(1, QStringLiteral("\\GONE.TXT"));
        const QByteArray other = block(QStringLiteral("Other"), {"\\X"});
        const QByteArray catalog = block("Games 1", old.mid(0, 2)) + other
            + block("Games 1", old.mid(2));
        writeFile(w.out.path(), "Music.cdc", catalog);
        w.scan();
        f.Text2->setText(QStringLiteral("Games 1"));
        const QString stateBefore = controlState(f);
        w.window.io.dialogs.answer(w.catalog());
        f.updateDiscAction->trigger();

        const FileDialogRequest *request = w.window.io.dialogs.last();
        QVERIFY(request);
        QCOMPARE(request->mode, FileDialogMode::Open);
        QCOMPARE(request->filter, ProgramTexts::catalogFilter());
        DiscUpdateDialog *dialog = f.discUpdateDialog();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->isModal());
        QCOMPARE(dialog->counts->text(), QStringLiteral("1 added, 1 removed, 3 unchanged"));
        QCOMPARE(dialog->addedList->model()->rowCount(), 1);
        QCOMPARE(dialog->addedList->model()->index(0, 0).data().toString(), QStringLiteral("\\SETUP.EXE"));
        QCOMPARE(dialog->removedList->model()->index(0, 0).data().toString(), QStringLiteral("\\GONE.TXT"));
        QCOMPARE(dialog->heading->text(), QStringLiteral("Update \"Games 1\" in Music.cdc"));
        QCOMPARE(readFile(w.catalog()), catalog); // nothing written yet

        if (answer == QLatin1String("update"))
            dialog->updateButton->click();
        else if (answer == QLatin1String("cancel"))
            dialog->cancelButton->click();
        else
            QTest::keyClick(dialog, answer == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_Escape);
        QTRY_VERIFY(!f.discUpdateDialog());
        QCOMPARE(readFile(w.catalog()),
                 written ? block("Games 1") + other : catalog);
        QCOMPARE(w.window.io.messages.texts(), QStringList());
        QCOMPARE(noticeText(f), written ? QStringLiteral("Updated \"Games 1\" in Music.cdc: "
                                                         "1 added, 1 removed, 3 unchanged")
                                        : QString());
        QCOMPARE(controlState(f), written ? kAfterUpdate : stateBefore);
    }

    // After an update the window is done with the disc, as after a write or
    // an add: nothing writes it again, and the next disc starts without its
    // name, so no update of another disc is one key away.
    void doneAfterAnUpdate_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("state");
        QTest::newRow("new catalog, as after a write") << int(WorkMode::NewCatalog) << kAfterUpdate;
        QTest::newRow("adding a disc, as after an add")
            << int(WorkMode::AddDisc)
            << QStringLiteral("Label2 off|Text2 off|Command3 off hidden|Command4 off shown|"
                              "Command2 on shown|drives off");
    }
    void doneAfterAnUpdate()
    {
        QFETCH(int, mode);
        QFETCH(QString, state);
        UpdateWindow w{WorkMode(mode)};
        Form1 &f = w.form();
        writeFile(w.out.path(), "Music.cdc", block("Games 1", sampleDiscListing().mid(1)));
        if (WorkMode(mode) == WorkMode::AddDisc)
            f.Command2->click();
        w.scan();
        f.Text2->setText(QStringLiteral("Games 1"));
        w.window.io.dialogs.answer(w.catalog());
        QSignalSpy used(&f, &Form1::catalogUsed); // for the recent catalogs
        f.updateDiscAction->trigger();
        QVERIFY(f.discUpdateDialog());
        f.discUpdateDialog()->updateButton->click();
        QTRY_VERIFY(!f.discUpdateDialog());
        QCOMPARE(readFile(w.catalog()), block("Games 1"));
        QCOMPARE(used.size(), 1);
        QCOMPARE(used.first().first().toString(), w.catalog());
        QCOMPARE(controlState(f), state);
        QVERIFY(!f.updateDiscAction->isEnabled());

        // The next disc comes without a name.
        f.Command2->click();
        w.scan();
        QCOMPARE(f.Text2->text(), QString());
        QVERIFY(f.Text2->isEnabled());
        QVERIFY(f.updateDiscAction->isEnabled());
        w.window.io.messages.clear();
        f.updateDiscAction->trigger();
        QCOMPARE(w.window.io.messages.texts(), QStringList{ProgramTexts::missingDiscName()});
        QVERIFY(!f.discUpdateDialog());
    }

    // A scan that keeps none of the disc's files is most likely another
    // disc: the confirmation says so and Enter cancels.
    void scanSharesNothing_data()
    {
        QTest::addColumn<QStringList>("inCatalog"); // the disc's files in the catalog
        QTest::addColumn<bool>("warned");
        QTest::newRow("no file in common") << QStringList{"\\OTHER.TXT", "\\X\\Y.DAT"} << true;
        QTest::newRow("one file in common") << QStringList{"\\OTHER.TXT", "\\SETUP.EXE"} << false;
    }
    void scanSharesNothing()
    {
        QFETCH(QStringList, inCatalog);
        QFETCH(bool, warned);
        UpdateWindow w;
        Form1 &f = w.form();
        const QByteArray before = block("Games 1", inCatalog);
        writeFile(w.out.path(), "Music.cdc", before);
        w.scan();
        f.Text2->setText(QStringLiteral("Games 1"));
        w.window.io.dialogs.answer(w.catalog());
        f.updateDiscAction->trigger();
        DiscUpdateDialog *dialog = f.discUpdateDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->warning->isVisibleTo(dialog), warned);
        if (warned)
            QVERIFY2(dialog->warning->text().contains(QLatin1String("shares no file with \"Games 1\"")),
                     qPrintable(dialog->warning->text()));
        QCOMPARE(dialog->cancelButton->isDefault(), warned);
        QCOMPARE(dialog->updateButton->isDefault(), !warned);
        QTest::keyClick(dialog, Qt::Key_Return);
        QTRY_VERIFY(!f.discUpdateDialog());
        QCOMPARE(readFile(w.catalog()), warned ? before : block("Games 1"));
    }

    // Refusals: the writer's checks with its messages, a cancelled dialog
    // in silence, a disc the catalog does not hold with its own message.
    void refused_data()
    {
        QTest::addColumn<QString>("disc");
        QTest::addColumn<bool>("emptyList");
        QTest::addColumn<QString>("dialog"); // "answer", "cancel" or "none"
        QTest::addColumn<QString>("message");
        QTest::newRow("no disc name") << "" << false << "none"
                                      << ProgramTexts::missingDiscName();
        QTest::newRow("disc name holding the separator")
            << "Games 1 - \\x" << false << "none"
            << QStringLiteral("A disc name cannot hold \" - \\\": \"Games 1 - \\x\" would be "
                              "read back as the disc \"Games 1\". Nothing was written.");
        QTest::newRow("empty list") << "Games 1" << true << "none" << ProgramTexts::emptyListing();
        QTest::newRow("dialog cancelled") << "Games 1" << false << "cancel" << QString();
        QTest::newRow("unknown disc") << "Games 9" << false << "answer" << QStringLiteral("unknown");
    }
    void refused()
    {
        QFETCH(QString, disc);
        QFETCH(bool, emptyList);
        QFETCH(QString, dialog);
        QFETCH(QString, message);
        UpdateWindow w;
        Form1 &f = w.form();
        writeFile(w.out.path(), "Music.cdc", block("Games 1"));
        w.scan();
        f.Text2->setText(disc);
        if (emptyList) {
            f.session().catalog().lines().clear();
            f.refreshList2();
        }
        if (dialog == QLatin1String("answer"))
            w.window.io.dialogs.answer(w.catalog());
        else if (dialog == QLatin1String("cancel"))
            w.window.io.dialogs.cancel();
        if (message == QLatin1String("unknown"))
            message = ProgramTexts::unknownDisc(disc, QDir::toNativeSeparators(w.catalog()));
        f.updateDiscAction->trigger();
        QCOMPARE(w.window.io.dialogs.requests.size(), std::size_t(dialog == QLatin1String("none") ? 0 : 1));
        QCOMPARE(w.window.io.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(!f.discUpdateDialog());
        QCOMPARE(readFile(w.catalog()), block("Games 1"));
    }

    // After a scan the catalog in use is compared with the disc in the
    // background; a disc found there is named in the status bar, and
    // nothing else of the window changes.
    void noticeAfterScan_data()
    {
        QTest::addColumn<QString>("catalog"); // what the catalog holds
        QTest::addColumn<QString>("notice");
        // Which catalogs name the disc: tst_session_mainsession.
        QTest::newRow("the disc, as it is")
            << "same" << "Already in Music.cdc as \"Games 1\" (4 of 4 files)";
        QTest::newRow("other discs only") << "other" << QString();
    }
    void noticeAfterScan()
    {
        QFETCH(QString, catalog);
        QFETCH(QString, notice);
        UpdateWindow w;
        Form1 &f = w.form();
        writeFile(w.out.path(), "Music.cdc",
                  catalog == QLatin1String("same") ? block("Games 1") : block("Other", {"\\A"}));
        // As the start dialog leaves it: the catalog named.
        f.session().catalog().setPath(w.catalog());

        f.ScanDrive(kDrive);
        const QString state = controlState(f);
        const QString status = f.statusText();
        const QString title = f.windowTitle();
        // The comparison runs while the window goes on processing events.
        QVERIFY(f.session().isRecognising());
        QTRY_VERIFY(!f.session().isRecognising());
        QCOMPARE(noticeText(f), notice);
        QCOMPARE(!f.discNoticeButton->isHidden(), !notice.isEmpty());
        QCOMPARE(controlState(f), state);
        QCOMPARE(f.statusText(), status);
        QCOMPARE(f.statusText(), QStringLiteral("Total: 4 files"));
        QCOMPARE(f.windowTitle(), title);
        QCOMPARE(f.Text2->text(), QString());
        QCOMPARE(w.window.io.messages.texts(), QStringList());

        // A new scan: the notice was about lines that are gone.
        f.ScanDrive(kDrive);
        QCOMPARE(noticeText(f), QString());
        QTRY_VERIFY(!f.session().isRecognising());
        QCOMPARE(noticeText(f), notice);
    }

    // The notice's button goes straight to the update of the disc it names,
    // in the catalog it was found in: no dialog asks for the catalog.
    void noticeLeadsToTheUpdate()
    {
        UpdateWindow w;
        Form1 &f = w.form();
        writeFile(w.out.path(), "Music.cdc", block("Games 1"));
        f.session().catalog().setPath(w.catalog());
        w.scan();
        QCOMPARE(noticeText(f), QStringLiteral("Already in Music.cdc as \"Games 1\" (4 of 4 files)"));
        QVERIFY(f.discNoticeButton->isEnabled());
        QCOMPARE(f.discNoticeButton->focusPolicy() & Qt::TabFocus, Qt::TabFocus);

        f.discNoticeButton->click();
        QCOMPARE(w.window.io.dialogs.requests.size(), std::size_t(0));
        QCOMPARE(f.Text2->text(), QStringLiteral("Games 1"));
        QVERIFY(f.discUpdateDialog());
        QCOMPARE(f.discUpdateDialog()->counts->text(), QStringLiteral("0 added, 0 removed, 4 unchanged"));
        f.discUpdateDialog()->updateButton->click();
        QTRY_VERIFY(!f.discUpdateDialog());
        QCOMPARE(readFile(w.catalog()), block("Games 1"));

        // For the next disc the menu command proposes the catalog the disc
        // was found in.
        f.Command2->click();
        w.scan();
        f.Text2->setText(QStringLiteral("Games 1"));
        w.window.io.dialogs.cancel();
        f.updateDiscAction->trigger();
        QCOMPARE(w.window.io.dialogs.last()->fileName, w.catalog());
    }

    // A catalog written in the window is the one the next disc is looked
    // for in.
    void writtenCatalogIsLookedIn()
    {
        UpdateWindow w;
        Form1 &f = w.form();
        f.session().catalog().setPath(QStringLiteral("Music")); // a new catalog: only a name
        w.scan();
        QVERIFY(f.session().recognitionCatalog().isEmpty());
        f.Text2->setText(QStringLiteral("Games 1"));
        w.window.io.dialogs.answer(w.catalog());
        f.Command3->click();
        QCOMPARE(f.session().recognitionCatalog(), w.catalog());
        f.Command2->click();
        w.scan();
        QCOMPARE(noticeText(f), QStringLiteral("Already in Music.cdc as \"Games 1\" (4 of 4 files)"));
    }
};

QTEST_MAIN(TestUiDiscUpdate)
#include "tst_ui_discupdate.moc"
