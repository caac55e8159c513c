// The window of discs catalogued one after another, driven headless through
// a simulated drive: what it asks, what it lists, and that its answers and
// "Stop" reach the run.

#include "SimulatedDrive.h"
#include "TestSupport.h"
#include "UiTestSupport.h"
#include "ui/batch/DiscBatchWindow.h"
#include "catalog/CatalogFile.h"
#include "ui/main/Form1.h"

#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace kobrix;
using namespace kobrix::test;

namespace {

DiscBatchWindow *openWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<DiscBatchWindow *>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

QStringList rowsOf(const QTreeWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        rows << item->text(0) + '|' + item->text(1) + '|' + item->text(2);
    }
    return rows;
}

} // namespace

class TestUiDiscBatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void openFromMenu_data();
    void openFromMenu();
    void fiveDiscs();
    void escapeTakesTheProposedName();
    void shortcutsOfTheMainWindowDiffer();
    void catalogSearchedIsReadAgain_data();
    void catalogSearchedIsReadAgain();

private:
    DiscLocation image(const QString &key) const
    {
        return {DiscLocation::Kind::Device, m_dir.filePath(key + ".iso")};
    }

    QTemporaryDir m_dir;
};

void TestUiDiscBatch::initTestCase()
{
    if (!hasXorriso())
        QSKIP("xorriso is not installed");
    const QString alpha = m_dir.filePath("alpha");
    for (int i = 0; i < 40; ++i)
        writeFile(alpha, QStringLiteral("DATA/FILE%1.TXT").arg(i), "x");
    const QString alpha2 = m_dir.filePath("alpha2");
    QVERIFY(copyTree(alpha, alpha2));
    QVERIFY(QFile::remove(alpha2 + "/DATA/FILE7.TXT"));
    for (int i = 0; i < 3; ++i)
        writeFile(alpha2, QStringLiteral("NEW/ADDED%1.TXT").arg(i), "y");
    writeFile(m_dir.filePath("beta"), "PHOTOS/IMG001.JPG", "j");
    for (const auto &[key, label] :
         {std::pair{"alpha", "ALPHA"}, {"alpha2", "ALPHA"}, {"beta", "BETA"}}) {
        QVERIFY(runXorriso({"-as", "mkisofs", "-quiet", "-V", label, "-J", "-R", "-o",
                            m_dir.filePath(QString(key) + ".iso"), m_dir.filePath(key)}));
    }
    writeFile(m_dir.path(), "broken.iso", QByteArray(64 * 1024, 'z'));
}

void TestUiDiscBatch::openFromMenu_data()
{
    QTest::addColumn<int>("drives");
    QTest::addColumn<bool>("catalogChosen");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("chooseDrive"); // the drive box and "Start" are shown
    QTest::newRow("one drive") << 1 << true << true << false;
    QTest::newRow("two drives") << 2 << true << true << true;
    QTest::newRow("dialog cancelled") << 1 << false << false << false;
    QTest::newRow("no drive") << 0 << true << false << false;
}

// The command asks for the catalog (none is in use), then opens the window
// over it, watching the drive at once unless there are several to choose
// from.
void TestUiDiscBatch::openFromMenu()
{
    QFETCH(int, drives);
    QFETCH(bool, catalogChosen);
    QFETCH(bool, opens);
    QFETCH(bool, chooseDrive);
    SimulatedDrive drive;
    const QString catalog = m_dir.filePath("menu.cdc");
    Form1Harness w(WorkMode::NewCatalog, [&](ScriptedServices &io) {
        io.drives.addDrive("/dev/sda", 3);
        for (int i = 0; i < drives; ++i)
            io.drives.addCdDrive(QStringLiteral("/dev/sr%1").arg(i));
        if (catalogChosen)
            io.dialogs.answer(catalog);
        else
            io.dialogs.cancel();
    });
    // The harness's services, with the drive watcher.
    UiServices services = w.io.services();
    services.discArrivals = &drive;
    w.form = std::make_unique<Form1>(services, WorkMode::NewCatalog);
    w.form->discBatchAction->trigger();
    DiscBatchWindow *window = openWindow();
    QCOMPARE(window != nullptr, opens);
    QCOMPARE(w.io.dialogs.requests.size(), drives ? std::size_t(1) : std::size_t(0));
    QCOMPARE(w.io.messages.shown.size(), drives ? std::size_t(0) : std::size_t(1));
    if (!window)
        return;
    QVERIFY(window->catalogLabel->text().contains(QDir::toNativeSeparators(catalog)));
    QCOMPARE(window->driveBox->isVisible(), chooseDrive);
    QCOMPARE(drive.watching, !chooseDrive);
    QCOMPARE(window->batch() != nullptr, !chooseDrive);
    window->close();
}

// New, new under a name typed over the label, the first again, the first
// changed (updated from the window) and an unreadable disc: one row each,
// the totals, a tray opened after each; Esc ends the run and the window.
void TestUiDiscBatch::fiveDiscs()
{
    ScriptedServices io;
    io.drives.addCdDrive("/dev/sr0");
    SimulatedDrive drive;
    UiServices services = io.services();
    services.discArrivals = &drive;
    auto *window = new DiscBatchWindow(services, m_dir.filePath("five.cdc"), {"/dev/sr0"});
    QPointer<DiscBatchWindow> alive(window);
    window->setNameWait(std::chrono::hours(1)); // the names are given by hand here
    window->show();
    window->start();
    QVERIFY(drive.watching);
    QVERIFY(window->stateLabel->text().contains("SR0"));

    const auto waitForRow = [&](int rows) {
        QTRY_COMPARE(window->discList->topLevelItemCount(), rows);
        QTRY_COMPARE(window->batch()->state(), DiscBatch::State::Waiting);
    };
    drive.insert(image("alpha"));
    QTRY_VERIFY(window->namePanel->isVisible());
    QCOMPARE(window->nameBox->text(), QStringLiteral("ALPHA"));
    QCOMPARE(window->nameBox->selectedText(), QStringLiteral("ALPHA"));
    QTest::keyClick(window->nameBox, Qt::Key_Return);
    waitForRow(1);
    QVERIFY(!window->namePanel->isVisible());

    drive.insert(image("beta"));
    QTRY_VERIFY(window->namePanel->isVisible());
    QTest::keyClicks(window->nameBox, "Holiday photos"); // replaces the selected label
    window->addButton->click();
    waitForRow(2);

    drive.insert(image("alpha"));
    waitForRow(3);

    drive.insert(image("alpha2"));
    QTRY_VERIFY(window->changePanel->isVisible());
    QStringList changes;
    for (int i = 0; i < window->changeList->count(); ++i)
        changes << window->changeList->item(i)->text().left(1);
    QCOMPARE(changes.count("+"), 3);
    QCOMPARE(changes.count(QString(QChar(0x2212))), 1);
    window->updateButton->click();
    waitForRow(4);

    drive.insert(image("broken"));
    waitForRow(5);

    const QStringList rows = rowsOf(window->discList);
    QCOMPARE(rows.mid(0, 4), (QStringList{"ALPHA|40|added", "Holiday photos|1|added",
                                          "ALPHA|40|already in the catalog as ALPHA",
                                          "ALPHA|42|updated: 3 added, 1 removed"}));
    QVERIFY2(rows.at(4).startsWith(u"\u2014|0|not read: "), qPrintable(rows.at(4)));
    const QString totals = window->totalsLabel->text();
    for (const char *part : {"Discs: 5", "added: 2 (files: 41)", "already in the catalog: 1",
                             "updated: 1", "not read or not written: 1"})
        QVERIFY2(totals.contains(part), qPrintable(totals));
    QCOMPARE(drive.ejects.size(), 5);

    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!drive.watching);
    QCOMPARE(window->batch()->state(), DiscBatch::State::Stopped);
    QCOMPARE(window->stopButton->text(), QStringLiteral("Close"));
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!alive);
}

// Esc while a new disc's name is proposed ends the run with the disc
// added under the proposal, whole.
void TestUiDiscBatch::escapeTakesTheProposedName()
{
    ScriptedServices io;
    SimulatedDrive drive;
    UiServices services = io.services();
    services.discArrivals = &drive;
    DiscBatchWindow window(services, m_dir.filePath("escape.cdc"), {"/dev/sr0"});
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setNameWait(std::chrono::hours(1));
    window.show();
    window.start();
    drive.insert(image("beta"));
    QTRY_VERIFY(window.namePanel->isVisible());
    QTest::keyClick(&window, Qt::Key_Escape);
    QTRY_COMPARE(window.batch()->state(), DiscBatch::State::Stopped);
    QCOMPARE(rowsOf(window.discList), QStringList{"BETA|1|added"});
    QVERIFY(!window.namePanel->isVisible());
}

// No two commands of the main window answer the same key.
void TestUiDiscBatch::shortcutsOfTheMainWindowDiffer()
{
    for (WorkMode mode : {WorkMode::NewCatalog, WorkMode::SearchCatalog, WorkMode::AddDisc}) {
        Form1Harness w(mode);
        QHash<QKeySequence, QString> taken;
        auto note = [&](const QKeySequence &key, const QString &what) {
            if (key.isEmpty())
                return;
            QVERIFY2(!taken.contains(key), qPrintable(taken.value(key) + " and " + what + " share "
                                                      + key.toString()));
            taken.insert(key, what);
        };
        for (const QAction *action : w.form->findChildren<QAction *>()) {
            for (const QKeySequence &key : action->shortcuts())
                note(key, action->text());
        }
        for (const QShortcut *shortcut : w.form->findChildren<QShortcut *>())
            note(shortcut->key(), shortcut->objectName());
        QVERIFY(taken.contains(w.form->discBatchAction->shortcut()));
    }
}

void TestUiDiscBatch::catalogSearchedIsReadAgain_data()
{
    QTest::addColumn<QString>("disc");
    QTest::addColumn<bool>("readAgain");
    QTest::newRow("a disc added") << "beta" << true;
    QTest::newRow("nothing written") << "broken" << false;
}

// The catalog searched in the main window is the run's; once the run added
// to it, the main window shows the file as it now stands.
void TestUiDiscBatch::catalogSearchedIsReadAgain()
{
    QFETCH(QString, disc);
    QFETCH(bool, readAgain);
    const QString catalog = m_dir.filePath("searched-" + disc + ".cdc");
    LineStore old;
    old.append(QStringLiteral("\\OLD.TXT"));
    QVERIFY(!writeCatalog(catalog, u"Old disc", old));
    SimulatedDrive drive;
    ScriptedServices io;
    io.drives.addCdDrive("/dev/sr0");
    io.dialogs.answer(catalog);
    UiServices services = io.services();
    services.discArrivals = &drive;
    Form1 form(services, WorkMode::SearchCatalog);
    form.mnuLoad->trigger();
    QTRY_VERIFY(!form.session().isLoading());
    QCOMPARE(form.session().catalog().lines().count(), 1);

    form.discBatchAction->trigger();
    QCOMPARE(io.dialogs.requests.size(), std::size_t(1)); // the catalog in use: no dialog
    DiscBatchWindow *window = openWindow();
    QVERIFY(window);
    drive.insert(image(disc));
    if (readAgain) {
        QTRY_VERIFY(window->namePanel->isVisible());
        QTest::keyClick(window->nameBox, Qt::Key_Return);
    }
    QTRY_COMPARE(window->discList->topLevelItemCount(), 1);
    window->stopButton->click();
    QTRY_VERIFY(!form.session().isLoading());
    QCOMPARE(form.session().catalog().lines().count(), readAgain ? 2 : 1);
    window->close();
}

QTEST_MAIN(TestUiDiscBatch)
#include "tst_ui_discbatch.moc"
