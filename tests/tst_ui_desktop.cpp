// The program at home on the desktop: its command line (--help, --version,
// a catalog to search without the start dialog), File > "Open Recent",
// drops on the main window, and the Discs window as it was left, all kept
// in a settings file of the test's own.

#include "DiscsWindowTestSupport.h"

#include "core/ProgramTexts.h"
#include "session/RecentCatalogs.h"
#include "ui/discs/DiscsWindowOutput.h"
#include "ui/main/AppController.h"
#include "ui/main/Form2.h"
#include "ui/main/StartArguments.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>

using namespace kobrix;
using namespace kobrix::test;

namespace {

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The texts of a menu's items, "(off)" after a greyed one.
QStringList menuItems(QMenu *menu)
{
    emit menu->aboutToShow();
    QStringList items;
    for (const QAction *item : menu->actions()) {
        if (!item->isSeparator())
            items << item->text() + (item->isEnabled() ? QString() : QStringLiteral(" (off)"));
    }
    return items;
}

// The message "Load..." shows for path in a main window of its own.
QStringList loadMessages(const QString &path)
{
    Form1Harness w(WorkMode::SearchCatalog);
    w.io.dialogs.answer(path);
    w.form->mnuLoad->trigger();
    QStringList texts;
    for (const ShownMessage &m : w.io.messages.shown)
        texts << m.title + u'|' + m.text;
    return texts;
}

} // namespace

class TestUiDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startArguments_data()
    {
        QTest::addColumn<QStringList>("arguments"); // after the program's name
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("catalog"); // relative to the working folder /work/dir
        QTest::addColumn<QString>("text");    // a part of what is printed
        QTest::addColumn<int>("exitCode");
        const int start = int(StartArguments::Outcome::Start);
        const int print = int(StartArguments::Outcome::Print);
        const int fail = int(StartArguments::Outcome::Fail);
        QTest::newRow("nothing") << QStringList{} << start << ""
                                 << "" << 0;
        QTest::newRow("relative catalog") << QStringList{"music.cdc"} << start << "music.cdc"
                                          << "" << 0;
        QTest::newRow("relative, up a folder")
            << QStringList{"../other/old.cdc"} << start << "../other/old.cdc"
            << "" << 0;
        QTest::newRow("absolute") << QStringList{"/srv/a b.cdc"} << start << "/srv/a b.cdc"
                                  << "" << 0;
        QTest::newRow("file address")
            << QStringList{"file:///srv/a%20b.cdc"} << start << "/srv/a b.cdc"
            << "" << 0;
        QTest::newRow("after --, a name like an option")
            << QStringList{"--", "-odd.cdc"} << start << "-odd.cdc"
            << "" << 0;
        QTest::newRow("--help") << QStringList{"--help"} << print << ""
                                << "Usage: kobrix [options] [catalog]" << 0;
        QTest::newRow("-h with a catalog") << QStringList{"-h", "music.cdc"} << print << ""
                                           << "--version" << 0;
        QTest::newRow("--version") << QStringList{"--version"} << print << ""
                                   << "kobrix 9.8.7\n"
                                   << 0;
        QTest::newRow("-v") << QStringList{"-v"} << print << ""
                            << "kobrix 9.8.7\n"
                            << 0;
        QTest::newRow("two catalogs") << QStringList{"a.cdc", "b.cdc"} << fail << ""
                                      << "kobrix: one catalog at a time" << 2;
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << fail << ""
                                        << "Unknown option 'frobnicate'" << 2;
    }
    void startArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, outcome);
        QFETCH(QString, catalog);
        QFETCH(QString, text);
        QFETCH(int, exitCode);
        const QString working = QStringLiteral("/work/dir");
        const StartArguments parsed =
            parseStartArguments(QStringList{QStringLiteral("/usr/bin/kobrix")} + arguments,
                                QStringLiteral("9.8.7"), working);
        QCOMPARE(int(parsed.outcome), outcome);
        QCOMPARE(parsed.catalog,
                 catalog.isEmpty() ? QString() : QDir::cleanPath(QDir(working).filePath(catalog)));
        QVERIFY2(parsed.text.contains(text), qPrintable(parsed.text));
        QCOMPARE(parsed.exitCode, exitCode);
    }

    // kobrix FILE: a catalog that opens is searched in the main window with
    // no start dialog; one that does not gives the message "Load..." gives,
    // then the start dialog.
    void commandLineCatalog_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("opens");
        QTest::newRow("catalog") << "Games.cdc" << true;
        QTest::newRow("missing") << "gone.cdc" << false;
        QTest::newRow("a folder") << "folder.cdc" << false;
    }
    void commandLineCatalog()
    {
        QFETCH(QString, file);
        QFETCH(bool, opens);
        QTemporaryDir dir;
        writeFile(dir.path(), QStringLiteral("Games.cdc"), catalogBytes(sampleCatalog()));
        makeDir(dir.path(), QStringLiteral("folder.cdc"));
        const QString path = dir.filePath(file);
        QSettings settings(dir.filePath(QStringLiteral("kobrix.ini")), QSettings::IniFormat);
        ScriptedServices io;
        UiServices services = io.services();
        services.settings = &settings;
        {
            AppController controller(services);
            controller.start(path);
            flushDeletes();
            Form2 *start = controller.startDialog();
            Form1 *main = controller.mainWindow();
            QVERIFY(start);
            QCOMPARE(start->isVisible(), !opens);
            QCOMPARE(io.dialogs.requests.size(), std::size_t(0)); // nothing asked
            if (opens) {
                QVERIFY(main && main->isVisible());
                QCOMPARE(main->session().mode(), WorkMode::SearchCatalog);
                QCOMPARE(main->windowTitle(), ProgramTexts::catalogCaption(path));
                QCOMPARE(toStringList(main->session().catalog().lines()), sampleCatalog());
                QCOMPARE(main->session().controls(),
                         mainControls(WorkMode::SearchCatalog, MainPhase::Started));
                QVERIFY(io.messages.shown.empty());
                QCOMPARE(RecentCatalogs(&settings).paths(), QStringList{path});
                // The next "Load..." proposes the catalog, as after the dialog.
                QCOMPARE(main->CommonDialog1.fileName(), path);
            } else {
                QVERIFY(!main || !main->isVisible());
                QStringList texts;
                for (const ShownMessage &m : io.messages.shown)
                    texts << m.title + u'|' + m.text;
                QCOMPARE(texts, loadMessages(path));
                QVERIFY(RecentCatalogs(&settings).paths().isEmpty());
            }
        }
        flushDeletes();
    }

    // File > "Open Recent": the catalogs loaded or written, most recent
    // first; a missing one greyed, saying so; choosing one loads it as
    // "Load..." would, where "Load..." is on.
    void recentMenu_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("searching") << int(WorkMode::SearchCatalog);
        QTest::newRow("adding a disc") << int(WorkMode::AddDisc);
        QTest::newRow("new catalog: no Load") << int(WorkMode::NewCatalog);
    }
    void recentMenu()
    {
        QFETCH(int, mode);
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.cdc"));
        const QString b = dir.filePath(QStringLiteral("b & c.cdc"));
        const QString written = dir.filePath(QStringLiteral("written.cdc"));
        writeFile(dir.path(), QStringLiteral("a.cdc"), catalogBytes(sampleCatalog()));
        writeFile(dir.path(), QStringLiteral("b & c.cdc"), catalogBytes({"B - \\x"}));
        makeSampleDisc(dir.filePath(QStringLiteral("disc")));
        QSettings settings(dir.filePath(QStringLiteral("kobrix.ini")), QSettings::IniFormat);
        {
            // Loaded twice, a second, and a disc written into a third.
            ScriptedServices io;
            UiServices services = io.services();
            services.settings = &settings;
            Form1 f(services, WorkMode::SearchCatalog);
            f.session().start();
            for (const QString &path : {a, b, a}) {
                io.dialogs.answer(path);
                f.mnuLoad->trigger();
            }
            f.scanFolder(dir.filePath(QStringLiteral("disc")));
            f.Text2->setText(QStringLiteral("Disc 1"));
            io.dialogs.answer(written);
            f.WriteList();
            QVERIFY(QFile::exists(written));
        }
        QVERIFY(QFile::remove(b));

        ScriptedServices io;
        UiServices services = io.services();
        services.settings = &settings;
        Form1 f(services, WorkMode(mode));
        f.session().start();
        QMenu *recent = f.recentMenuAction->menu();
        QVERIFY(recent);
        const QString shownB = QDir::toNativeSeparators(b).replace(u'&', QStringLiteral("&&"));
        QCOMPARE(menuItems(recent), (QStringList{"&1 " + QDir::toNativeSeparators(written),
                                                 "&2 " + QDir::toNativeSeparators(a),
                                                 "&3 " + shownB + " (off)", "&Clear List"}));
        QVERIFY(recent->actions().at(2)->toolTip().contains(QStringLiteral("missing")));
        QCOMPARE(f.recentMenuAction->isEnabled(), f.mnuLoad->isEnabled());

        const QString titleBefore = f.windowTitle();
        recent->actions().at(1)->trigger(); // a.cdc
        const bool loads = f.mnuLoad->isEnabled();
        QCOMPARE(loads, mode != int(WorkMode::NewCatalog));
        QCOMPARE(toStringList(f.session().catalog().lines()),
                 loads ? sampleCatalog() : QStringList{});
        QCOMPARE(f.windowTitle(), loads ? ProgramTexts::catalogCaption(a) : titleBefore);
        QCOMPARE(io.dialogs.requests.size(), std::size_t(0));
        if (loads)
            QCOMPARE(menuItems(recent).first(), "&1 " + QDir::toNativeSeparators(a));

        recent->findChild<QAction *>(QStringLiteral("clearRecent"))->trigger();
        QVERIFY(RecentCatalogs(&settings).paths().isEmpty());
    }

    // A drop is taken where the window offers its command now, and runs it.
    void drops_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("dropped");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("lines"); // afterwards
        const QStringList scanned = sampleDiscListing();
        QTest::newRow("catalog, searching")
            << int(WorkMode::SearchCatalog) << "Games.cdc" << true << sampleCatalog();
        QTest::newRow("catalog, new catalog: no Load")
            << int(WorkMode::NewCatalog) << "Games.cdc" << false << QStringList{};
        QTest::newRow("folder, new catalog")
            << int(WorkMode::NewCatalog) << "disc" << true << scanned;
        QTest::newRow("folder, searching: no scans")
            << int(WorkMode::SearchCatalog) << "disc" << false << QStringList{};
        QTest::newRow("text file")
            << int(WorkMode::NewCatalog) << "notes.txt" << false << QStringList{};
    }
    void drops()
    {
        QFETCH(int, mode);
        QFETCH(QString, dropped);
        QFETCH(bool, accepted);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        writeFile(dir.path(), QStringLiteral("Games.cdc"), catalogBytes(sampleCatalog()));
        writeFile(dir.path(), QStringLiteral("notes.txt"), "x");
        makeSampleDisc(dir.filePath(QStringLiteral("disc")));
        Form1Harness w{WorkMode(mode)};
        Form1 &f = *w.form;
        f.session().start();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dir.filePath(dropped))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::LinkAction, &data,
                              Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(&f, &drop);
        QCOMPARE(drop.isAccepted(), accepted);
        // The command runs once the drop is over.
        QCoreApplication::processEvents();
        QVERIFY(waitFor([&] { return !f.session().isScanning() && !f.session().isLoading(); }));
        QCOMPARE(toStringList(f.session().catalog().lines()).mid(0, lines.size()), lines);
        QCOMPARE(f.session().catalog().lines().count(), qsizetype(lines.size()));
        QVERIFY(w.io.messages.shown.empty());
    }

    // The Discs window comes back as it was left: size, splitter, column
    // widths, the folder and format of the last export, the paper printed
    // on last; without settings, as designed.
    void discsWindowRemembers_data()
    {
        QTest::addColumn<bool>("kept");
        QTest::newRow("with settings") << true;
        QTest::newRow("without settings") << false;
    }
    void discsWindowRemembers()
    {
        QFETCH(bool, kept);
        QTemporaryDir dir;
        makeDir(dir.path(), QStringLiteral("exports"));
        QSettings settings(dir.filePath(QStringLiteral("kobrix.ini")), QSettings::IniFormat);
        ScriptedServices io;
        io.printPreview.outputFolder = dir.path();
        UiServices services = io.services();
        services.settings = kept ? &settings : nullptr;

        const auto splitterOf = [](Fixture &f) {
            return f.window->findChild<QSplitter *>(QStringLiteral("splitter"));
        };
        const auto columnOf = [](Fixture &f) {
            return f.window->findChild<QTreeView *>(QStringLiteral("discList"))
                ->header()
                ->sectionSize(1);
        };
        QSize designedSize;
        QList<int> designedSplit;
        int designedColumn = 0;
        QList<int> movedSplit;
        {
            Fixture first(sampleCatalog(), services, QStringLiteral("Games.cdc"));
            QVERIFY(first.activate());
            designedSize = first.window->size();
            designedSplit = splitterOf(first)->sizes();
            designedColumn = columnOf(first);
            first.window->resize(designedSize + QSize(40, 30));
            QSplitter *splitter = splitterOf(first);
            const QList<int> sizes = splitter->sizes();
            splitter->setSizes({sizes.at(0) + 30, sizes.at(1) - 30});
            movedSplit = splitter->sizes();
            first.window->findChild<QTreeView *>(QStringLiteral("discList"))
                ->header()
                ->resizeSection(1, designedColumn + 17);
            io.dialogs.answer(dir.filePath(QStringLiteral("exports/games.html")));
            first.window->output()->exportScope(DiscsWindowOutput::Scope::WholeCatalog);
            QVERIFY(waitFor([&] { return !first.window->output()->isExporting(); }));
            first.window->selectDisc(0);
            first.window->output()->print(ListingPaper::Letter);
            first.window->close();
        }
        Fixture second(sampleCatalog(), services, QStringLiteral("Games.cdc"));
        QVERIFY(second.activate());
        QCOMPARE(second.window->size(), kept ? designedSize + QSize(40, 30) : designedSize);
        if (kept)
            QCOMPARE(splitterOf(second)->sizes(), movedSplit);
        else
            QCOMPARE(splitterOf(second)->sizes(), designedSplit);
        QCOMPARE(columnOf(second), kept ? designedColumn + 17 : designedColumn);
        const QMenu *print = second.window->findChild<QMenu *>(QStringLiteral("printMenu"));
        QCOMPARE(print->defaultAction() ? print->defaultAction()->objectName() : QString(),
                 kept ? QStringLiteral("printLetter") : QString());
        io.dialogs.cancel();
        second.window->output()->exportScope(DiscsWindowOutput::Scope::WholeCatalog);
        QVERIFY(io.dialogs.last());
        if (kept) {
            QCOMPARE(QDir::fromNativeSeparators(io.dialogs.last()->fileName),
                     dir.filePath(QStringLiteral("exports/Games.html")));
            QCOMPARE(io.dialogs.last()->filterIndex, 2);
        }
    }
};

QTEST_MAIN(TestUiDesktop)
#include "tst_ui_desktop.moc"
