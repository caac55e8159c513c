// The Discs window: opened from the main window over the catalog in use,
// the disc list with its filter and totals, a disc's folder tree handed out
// in batches, the search grouped by disc and its way back into the tree,
// the other discs holding a file, the files on several discs, and a user
// who has only the keyboard.

#include "UiTestSupport.h"
#include "core/Catalog.h"
#include "core/DiscIndex.h"
#include "ui/DiscListModel.h"
#include "ui/DiscTreeModel.h"
#include "ui/DiscsWindow.h"
#include "ui/DuplicatesModel.h"
#include "ui/LineGroupsModel.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// Three discs (one appended twice, one with " - " in its name) and a line
// made by hand.
QStringList sampleCatalog()
{
    return {
        QStringLiteral("Games 1 - \\SETUP.EXE"),                //  0
        QStringLiteral("Games 1 - \\README.TXT"),               //  1
        QStringLiteral("Games 1 - \\DATA\\LEVEL1.DAT"),         //  2
        QStringLiteral("Games 1 - \\DATA\\LEVEL2.DAT"),         //  3
        QStringLiteral("Games 1 - \\DATA\\MUSIC\\TRACK01.OGG"), //  4
        QStringLiteral("Games 1 - \\MAPS\\NORTH.MAP"),          //  5
        QStringLiteral("Photos - 2002 - \\IMG0001.JPG"),        //  6
        QStringLiteral("Photos - 2002 - \\README.TXT"),         //  7
        QStringLiteral("Photos - 2002 - \\ALBUM\\IMG0002.JPG"), //  8
        QStringLiteral("Photos - 2002 - \\BACKUP\\LEVEL1.DAT"), //  9
        QStringLiteral("Games 2 - \\SETUP.EXE"),                // 10
        QStringLiteral("Games 2 - \\DATA\\LEVEL1.DAT"),         // 11
        QStringLiteral("Games 2 - \\DATA\\LEVEL9.DAT"),         // 12
        QStringLiteral("notes made by hand"),                   // 13
        QStringLiteral("Games 1 - \\EXTRA\\BONUS.DAT"),         // 14 appended later
    };
}

QByteArray catalogBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += '"' + line.toUtf8() + "\"\r\n";
    return bytes;
}

const QString kLoose = QStringLiteral("(lines without a disc name)");

bool waitFor(const std::function<bool()> &done)
{
    return QTest::qWaitFor(done, 10000);
}

// A Discs window over a catalog in hand, ready.
struct Fixture
{
    explicit Fixture(const QStringList &lines = sampleCatalog())
    {
        for (const QString &line : lines)
            catalog.lines().append(line);
        catalog.setContent(Catalog::Content::CatalogLines);
        window = std::make_unique<DiscsWindow>(messages);
        window->showCatalog(catalog, QStringLiteral("Games.cdc"));
    }
    bool ready() { return waitFor([this] { return window->isReady(); }); }
    // Shows the window and gives it the keyboard.
    bool activate()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get()) && ready();
    }

    RecordingMessageBoxService messages;
    Catalog catalog;
    std::unique_ptr<DiscsWindow> window;
};

// "name=files" for each disc row.
QStringList discRows(const DiscsWindow &window)
{
    QStringList rows;
    const DiscListModel *model = window.discListModel();
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->index(row, 0).data().toString() + u'=' + model->index(row, 1).data().toString();
    return rows;
}

// Every row below parent, all batches fetched, two blanks of indent per
// level, the count column after a blank where it says something.
void fetchAll(QAbstractItemModel *model, const QModelIndex &parent)
{
    auto *batched = dynamic_cast<BatchedRows *>(model);
    while (batched && batched->hasMoreRows(parent))
        batched->fetchMoreRows(parent);
}

void render(QAbstractItemModel *model, const QModelIndex &parent, int depth, QStringList &out)
{
    fetchAll(model, parent);
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex item = model->index(row, 0, parent);
        const QString count = model->index(row, 1, parent).data().toString();
        out << QString(depth * 2, u' ') + item.data().toString()
                   + (count.isEmpty() ? QString() : u' ' + count);
        render(model, item, depth + 1, out);
    }
}

QStringList render(QAbstractItemModel *model)
{
    QStringList out;
    render(model, QModelIndex(), 0, out);
    return out;
}

// "label=count" for each group of a grouped model.
QStringList groupRows(const LineGroupsModel *model)
{
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->index(row, 0).data().toString() + u'=' + model->index(row, 1).data().toString();
    return rows;
}

QStringList groupLines(LineGroupsModel *model, int group)
{
    QStringList lines;
    const QModelIndex parent = model->index(group, 0);
    fetchAll(model, parent);
    for (int row = 0; row < model->rowCount(parent); ++row)
        lines << model->index(row, 0, parent).data().toString();
    return lines;
}

QWidget *focused()
{
    return QApplication::focusWidget();
}

} // namespace

class TestUiDiscsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void catalogMenu();
    void opensOverTheCatalogInUse_data();
    void opensOverTheCatalogInUse();
    void notWhileLoading();
    void readsCatalogFile_data();
    void readsCatalogFile();
    void filterAndTotals_data();
    void filterAndTotals();
    void treeOfDisc_data();
    void treeOfDisc();
    void bigFolderComesInBatches_data();
    void bigFolderComesInBatches();
    void searchGroupedByDisc_data();
    void searchGroupedByDisc();
    void newSearchReplacesEarlier_data();
    void newSearchReplacesEarlier();
    void resultRevealedInTree_data();
    void resultRevealedInTree();
    void showOnOtherDiscs_data();
    void showOnOtherDiscs();
    void filesOnSeveralDiscs_data();
    void filesOnSeveralDiscs();
    void mnemonicsUniqueInWindow();
    void keyboardOnly();
    void closesWhileWorking();
};

// The menu bar gains "&Catalog" between "&File" and "&Help", holding
// "&Discs..." with Ctrl+D, which opens the window from the keyboard.
void TestUiDiscsWindow::catalogMenu()
{
    QTemporaryDir dir;
    writeFile(dir.path(), QStringLiteral("Games.cdc"), catalogBytes(sampleCatalog()));
    Form1Harness w(WorkMode::SearchCatalog);
    Form1 &f = *w.form;
    QStringList bar;
    for (const QAction *menu : f.menuBar()->actions())
        bar << menu->text();
    QCOMPARE(bar, (QStringList{"&File", "&Catalog", "&Help"}));
    QStringList items;
    for (const QAction *item : f.catalogMenuAction->menu()->actions())
        items << item->text() + u' ' + item->shortcut().toString(QKeySequence::PortableText);
    QCOMPARE(items, QStringList{"&Discs... Ctrl+D"});

    w.io.dialogs.answer(dir.filePath(QStringLiteral("Games.cdc")));
    f.mnuLoad->trigger();
    f.show();
    QApplication::setActiveWindow(&f);
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(&f, Qt::Key_D, Qt::ControlModifier);
    QVERIFY(f.discsWindow());
    QVERIFY(f.discsWindow()->isModal());
    QVERIFY(waitFor([&] { return f.discsWindow()->isReady(); }));
    QCOMPARE(f.discsWindow()->windowTitle(), QStringLiteral("Discs - Games.cdc"));
    f.discsWindow()->close();
    QVERIFY(waitFor([&] { return !f.discsWindow(); })); // discarded on close
}

// What the window shows: the lines in hand when they are a catalog's;
// after a scan, the catalog file named or last written, read from the disk;
// with neither, a message and no window.
void TestUiDiscsWindow::opensOverTheCatalogInUse_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("title"); // empty: no window
    QTest::addColumn<QStringList>("discs");

    const QStringList loaded{"Games 1=7", "Photos - 2002=4", "Games 2=3", kLoose + "=1"};
    QTest::newRow("catalog loaded") << int(WorkMode::SearchCatalog) << QStringList{"load"}
                                    << "Discs - Games.cdc" << loaded;
    QTest::newRow("loaded, then its file changed: the lines in hand")
        << int(WorkMode::SearchCatalog) << QStringList{"load", "change file"}
        << "Discs - Games.cdc" << loaded;
    QTest::newRow("loaded, then a disc scanned: the file loaded")
        << int(WorkMode::AddDisc) << QStringList{"load", "scan", "change file"}
        << "Discs - Games.cdc" << QStringList{"Other=1"};
    QTest::newRow("scanned and written: the file written")
        << int(WorkMode::NewCatalog) << QStringList{"scan", "write"} << "Discs - Music.cdc"
        << QStringList{"Scanned=4"};
    QTest::newRow("scanned, nothing written") << int(WorkMode::NewCatalog) << QStringList{"scan"}
                                              << QString() << QStringList{};
    QTest::newRow("nothing yet") << int(WorkMode::NewCatalog) << QStringList{} << QString()
                                 << QStringList{};
}

void TestUiDiscsWindow::opensOverTheCatalogInUse()
{
    QFETCH(int, mode);
    QFETCH(QStringList, steps);
    QFETCH(QString, title);
    QFETCH(QStringList, discs);

    QTemporaryDir dir;
    const QString disc = dir.filePath(QStringLiteral("disc"));
    makeSampleDisc(disc);
    const QString games = dir.filePath(QStringLiteral("Games.cdc"));
    writeFile(dir.path(), QStringLiteral("Games.cdc"), catalogBytes(sampleCatalog()));

    Form1Harness w{WorkMode(mode)};
    Form1 &f = *w.form;
    f.catalog().setPath(QStringLiteral("Music")); // a name typed, no file
    for (const QString &step : steps) {
        if (step == u"load") {
            w.io.dialogs.answer(games);
            f.mnuLoad->trigger();
        } else if (step == u"change file") {
            writeFile(dir.path(), QStringLiteral("Games.cdc"), "\"Other - \\A.TXT\"\r\n");
        } else if (step == u"scan") {
            if (f.Command2->isEnabled())
                f.Command2->click(); // Scan New CD
            w.io.dialogs.answer(disc);
            f.scanFolderAction->trigger();
            QCOMPARE(int(f.catalog().content()), int(Catalog::Content::DiscListing));
        } else if (step == u"write") {
            f.Text2->setText(QStringLiteral("Scanned"));
            w.io.dialogs.answer(dir.filePath(QStringLiteral("Music.cdc")));
            f.Command3->click();
        }
    }
    w.io.messages.clear();
    f.discsAction->trigger();

    if (title.isEmpty()) {
        QVERIFY(!f.discsWindow());
        QCOMPARE(w.io.messages.texts(),
                 QStringList{"There is no catalog to show: load one, or write a disc into one "
                             "first."});
        return;
    }
    QVERIFY(f.discsWindow());
    QVERIFY(waitFor([&] { return f.discsWindow()->isReady(); }));
    QCOMPARE(f.discsWindow()->windowTitle(), title);
    QCOMPARE(discRows(*f.discsWindow()), discs);
    QCOMPARE(w.io.messages.texts(), QStringList{});
}

// While a load fills the lines the window does not open; after it, it does.
void TestUiDiscsWindow::notWhileLoading()
{
    QTemporaryDir dir;
    QStringList lines;
    for (int i = 0; i < 20000; ++i)
        lines << QStringLiteral("Disc %1 - \\FILE%2.DAT").arg(i / 1000).arg(i);
    writeFile(dir.path(), QStringLiteral("Big.cdc"), catalogBytes(lines));
    Form1Harness w(WorkMode::SearchCatalog);
    Form1 &f = *w.form;
    f.setLoadSlice(std::chrono::microseconds(1));
    bool askedDuringLoad = false;
    bool menuOnDuringLoad = true;
    QTimer::singleShot(0, &f, [&] {
        askedDuringLoad = f.isLoading();
        f.catalogMenuAction->menu()->aboutToShow();
        menuOnDuringLoad = f.discsAction->isEnabled();
        f.discsAction->trigger();
    });
    w.io.dialogs.answer(dir.filePath(QStringLiteral("Big.cdc")));
    f.mnuLoad->trigger();
    QVERIFY(askedDuringLoad);
    QVERIFY(!menuOnDuringLoad);
    QVERIFY(!f.discsWindow());

    f.catalogMenuAction->menu()->aboutToShow();
    QVERIFY(f.discsAction->isEnabled());
    f.discsAction->trigger();
    QVERIFY(f.discsWindow());
    QVERIFY(waitFor([&] { return f.discsWindow()->isReady(); }));
    QCOMPARE(f.discsWindow()->discListModel()->totalFiles(), 20000);
}

// A catalog file is read in slices; a file that cannot be read is reported
// as the main window reports it, and what was read is shown.
void TestUiDiscsWindow::readsCatalogFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("discs");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("whole file") << "Games.cdc"
                                << QStringList{"Games 1=7", "Photos - 2002=4", "Games 2=3",
                                               kLoose + "=1"}
                                << QStringList{};
    QTest::newRow("missing") << "missing.cdc" << QStringList{}
                             << QStringList{"Error Reading file\r\r53 - File not found"};
    QTest::newRow("a folder") << "folder" << QStringList{}
                              << QStringList{"Error Reading file\r\r75 - Path/File access error"};
}

void TestUiDiscsWindow::readsCatalogFile()
{
    QFETCH(QString, file);
    QFETCH(QStringList, discs);
    QFETCH(QStringList, messages);
    QTemporaryDir dir;
    writeFile(dir.path(), QStringLiteral("Games.cdc"), catalogBytes(sampleCatalog()));
    makeDir(dir.path(), QStringLiteral("folder"));
    RecordingMessageBoxService shown;
    DiscsWindow window(shown);
    window.setSliceBudget(std::chrono::nanoseconds(1)); // a record or so per slice
    window.readCatalogFile(dir.filePath(file));
    QVERIFY(waitFor([&] { return window.isReady(); }));
    QCOMPARE(window.windowTitle(), QStringLiteral("Discs - ") + file);
    QCOMPARE(discRows(window), discs);
    QCOMPARE(shown.texts(), messages);
}

void TestUiDiscsWindow::filterAndTotals_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("discs");
    QTest::addColumn<QString>("totals");

    QTest::newRow("none") << "" << QStringList{"Games 1", "Photos - 2002", "Games 2", kLoose}
                          << "4 disc(s), 15 file(s)";
    QTest::newRow("part of two names") << "games" << QStringList{"Games 1", "Games 2"}
                                       << "2 of 4 disc(s), 10 of 15 file(s)";
    QTest::newRow("letter case aside") << "GAMES 2" << QStringList{"Games 2"}
                                       << "1 of 4 disc(s), 3 of 15 file(s)";
    QTest::newRow("dash inside a name") << " - " << QStringList{"Photos - 2002"}
                                        << "1 of 4 disc(s), 4 of 15 file(s)";
    QTest::newRow("the lines made by hand") << "without" << QStringList{kLoose}
                                            << "1 of 4 disc(s), 1 of 15 file(s)";
    QTest::newRow("nothing") << "zzz" << QStringList{} << "0 of 4 disc(s), 0 of 15 file(s)";
}

void TestUiDiscsWindow::filterAndTotals()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, discs);
    QFETCH(QString, totals);
    Fixture x;
    QVERIFY(x.ready());
    x.window->filterBox->setText(filter);
    QStringList names;
    for (const QString &row : discRows(*x.window))
        names << row.section(u'=', 0, 0);
    QCOMPARE(names, discs);
    QCOMPARE(x.window->totalsLabel->text(), totals);
}

// Folders before files, both in the order of the lines; each folder with
// the files in and below it.
void TestUiDiscsWindow::treeOfDisc_data()
{
    QTest::addColumn<QString>("disc");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("tree");

    QTest::newRow("disc appended twice")
        << "Games 1" << "Games 1: 7 file(s) in 4 folder(s)"
        << QStringList{"DATA 3",        "  MUSIC 1",   "    TRACK01.OGG", "  LEVEL1.DAT",
                       "  LEVEL2.DAT",  "MAPS 1",      "  NORTH.MAP",     "EXTRA 1",
                       "  BONUS.DAT",   "SETUP.EXE",   "README.TXT"};
    QTest::newRow("dash in its name")
        << "Photos - 2002" << "Photos - 2002: 4 file(s) in 2 folder(s)"
        << QStringList{"ALBUM 1", "  IMG0002.JPG", "BACKUP 1", "  LEVEL1.DAT", "IMG0001.JPG",
                       "README.TXT"};
    QTest::newRow("lines made by hand") << kLoose << kLoose + ": 1 file(s) in 0 folder(s)"
                                        << QStringList{"notes made by hand"};
}

void TestUiDiscsWindow::treeOfDisc()
{
    QFETCH(QString, disc);
    QFETCH(QString, heading);
    QFETCH(QStringList, tree);
    Fixture x;
    QVERIFY(x.ready());
    // The first disc is shown at once.
    QCOMPARE(x.window->currentDisc(), 0);
    const DiscListModel *list = x.window->discListModel();
    for (int row = 0; row < list->rowCount(); ++row) {
        if (list->index(row, 0).data().toString() == disc)
            x.window->discList->setCurrentIndex(list->index(row, 0));
    }
    QCOMPARE(x.window->folderHeading->text(), heading);
    QCOMPARE(render(x.window->treeModel()), tree);
}

// A folder of 100,000 files, followed by more rows, shows its first rows at
// once and the next batch as the user gets to the end of what it shows: by
// scrolling to the bottom, by the End key, by walking onto its last row, or
// when a file further down is revealed.
void TestUiDiscsWindow::bigFolderComesInBatches_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("rowsAfter");
    QTest::newRow("scroll to the bottom") << "scroll" << 2000;
    QTest::newRow("End key") << "end key" << 2000;
    QTest::newRow("Down onto the last row so far") << "down key" << 2000;
    QTest::newRow("reveal the last file") << "reveal" << 100000;
}

void TestUiDiscsWindow::bigFolderComesInBatches()
{
    QFETCH(QString, way);
    QFETCH(int, rowsAfter);
    QStringList lines{QStringLiteral("Small - \\A.TXT")};
    for (int i = 0; i < 100000; ++i)
        lines << QStringLiteral("Big - \\FLAT\\F%1.DAT").arg(i, 6, 10, QLatin1Char('0'));
    lines << QStringLiteral("Big - \\END.TXT");
    Fixture x(lines);
    QVERIFY(x.activate());
    x.window->selectDisc(1);
    DiscTreeModel *model = x.window->treeModel();
    QTreeView *view = x.window->folderTree;
    const QModelIndex flat = model->index(0, 0);
    QCOMPARE(flat.data().toString(), QStringLiteral("FLAT"));
    QCOMPARE(model->index(0, 1).data().toString(), QLocale().toString(100000));
    QCOMPARE(model->rowCount(), 2); // FLAT and END.TXT
    view->expand(flat);
    QCOMPARE(model->rowCount(flat), 1000);
    QVERIFY(model->hasMoreRows(flat));
    QTest::qWait(50); // laid out and looked at: the end of the batch is out of sight
    QCOMPARE(model->rowCount(flat), 1000);

    view->setFocus();
    if (way == u"scroll") {
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    } else if (way == u"end key") {
        view->setCurrentIndex(flat);
        QTest::keyClick(view, Qt::Key_End);
        QCOMPARE(view->currentIndex().data().toString(), QStringLiteral("END.TXT"));
    } else if (way == u"down key") {
        view->setCurrentIndex(model->index(998, 0, flat));
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->currentIndex().data().toString(), QStringLiteral("F000999.DAT"));
    } else {
        x.window->revealLine(100000); // FLAT's last file
        QCOMPARE(model->lineAt(view->currentIndex()), 100000);
        QCOMPARE(view->currentIndex().data().toString(), QStringLiteral("F099999.DAT"));
        QVERIFY(view->isExpanded(flat));
    }
    QVERIFY(waitFor([&] { return model->rowCount(flat) >= rowsAfter; }));
    QTest::qWait(50); // one batch at a time: the next end is out of sight again
    QCOMPARE(model->rowCount(flat), rowsAfter);
}

// Hits of the designed matching rule, counted per disc in the order of the
// discs, each group opening to its files' paths.
void TestUiDiscsWindow::searchGroupedByDisc_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QStringList>("firstGroup");
    QTest::addColumn<QString>("status");

    QTest::newRow("several discs")
        << "level" << QStringList{"Games 1=2", "Photos - 2002=1", "Games 2=2"}
        << QStringList{"\\DATA\\LEVEL1.DAT", "\\DATA\\LEVEL2.DAT"}
        << "Found 5 Item(s) on 3 disc(s)";
    QTest::newRow("letter case aside") << "ReadMe" << QStringList{"Games 1=1", "Photos - 2002=1"}
                                       << QStringList{"\\README.TXT"}
                                       << "Found 2 Item(s) on 2 disc(s)";
    QTest::newRow("blanks around trimmed")
        << "  setup.exe  " << QStringList{"Games 1=1", "Games 2=1"} << QStringList{"\\SETUP.EXE"}
        << "Found 2 Item(s) on 2 disc(s)";
    QTest::newRow("across the separator")
        << "Games 1 - \\D" << QStringList{"Games 1=3"}
        << QStringList{"\\DATA\\LEVEL1.DAT", "\\DATA\\LEVEL2.DAT", "\\DATA\\MUSIC\\TRACK01.OGG"}
        << "Found 3 Item(s) on 1 disc(s)";
    QTest::newRow("the disc's name, both of its runs")
        << "games 1" << QStringList{"Games 1=7"}
        << QStringList{"\\SETUP.EXE", "\\README.TXT", "\\DATA\\LEVEL1.DAT", "\\DATA\\LEVEL2.DAT",
                       "\\DATA\\MUSIC\\TRACK01.OGG", "\\MAPS\\NORTH.MAP", "\\EXTRA\\BONUS.DAT"}
        << "Found 7 Item(s) on 1 disc(s)";
    QTest::newRow("a line made by hand") << "hand" << QStringList{kLoose + "=1"}
                                         << QStringList{"notes made by hand"}
                                         << "Found 1 Item(s) on 1 disc(s)";
    QTest::newRow("not found") << "zzz" << QStringList{} << QStringList{}
                               << "Search text not found";
    QTest::newRow("empty box") << "" << QStringList{} << QStringList{} << "Enter a search string";
}

void TestUiDiscsWindow::searchGroupedByDisc()
{
    QFETCH(QString, text);
    QFETCH(QStringList, groups);
    QFETCH(QStringList, firstGroup);
    QFETCH(QString, status);
    Fixture x;
    QVERIFY(x.ready());
    x.window->setSliceBudget(std::chrono::nanoseconds(1)); // many slices
    x.window->searchBox->setText(text);
    QSignalSpy finished(x.window.get(), &DiscsWindow::searchFinished);
    x.window->findButton->click();
    QVERIFY(finished.count() == 1 || finished.wait(10000));
    QCOMPARE(groupRows(x.window->hitsModel()), groups);
    QCOMPARE(x.window->searchStatus->text(), status);
    if (!groups.isEmpty())
        QCOMPARE(groupLines(x.window->hitsModel(), 0), firstGroup);
}

// A search started while an earlier one is still searching or grouping its
// hits shows its own hits only, however far the earlier one had come.
void TestUiDiscsWindow::newSearchReplacesEarlier_data()
{
    QTest::addColumn<int>("rounds"); // of events between the two searches
    QTest::newRow("at once") << 0;
    QTest::newRow("after the first slice") << 1;
    QTest::newRow("while grouping") << 2;
    QTest::newRow("long after") << 50;
}

void TestUiDiscsWindow::newSearchReplacesEarlier()
{
    QFETCH(int, rounds);
    Fixture x;
    QVERIFY(x.ready());
    DiscsWindow &w = *x.window;
    w.setSliceBudget(std::chrono::nanoseconds(1));
    w.searchBox->setText(QStringLiteral("level"));
    w.find();
    for (int round = 0; round < rounds; ++round)
        QCoreApplication::processEvents();
    w.searchBox->setText(QStringLiteral("readme"));
    QSignalSpy finished(&w, &DiscsWindow::searchFinished);
    w.find();
    QVERIFY(waitFor([&] { return !w.isWorking(); }));
    QTest::qWait(20); // a late report of the first search would come now
    QCOMPARE(finished.count(), 1);
    QCOMPARE(groupRows(w.hitsModel()), (QStringList{"Games 1=1", "Photos - 2002=1"}));
    QCOMPARE(w.searchStatus->text(), QStringLiteral("Found 2 Item(s) on 2 disc(s)"));
}

// Choosing a hit (Enter or a double click, which the view reports as
// activated) shows its file in its disc's tree, also when the filter hid
// the disc.
void TestUiDiscsWindow::resultRevealedInTree_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("hit");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("disc");
    QTest::addColumn<QString>("filterAfter");

    QTest::newRow("deep file") << "" << "track" << 0 << 0 << 4 << "Games 1" << "";
    QTest::newRow("second disc's hit") << "" << "level1" << 2 << 0 << 11 << "Games 2" << "";
    QTest::newRow("disc hidden by the filter")
        << "photos" << "level1" << 0 << 0 << 2 << "Games 1" << "";
    QTest::newRow("disc the filter shows") << "games" << "level1" << 2 << 0 << 11 << "Games 2"
                                           << "games";
    QTest::newRow("root file") << "" << "img0001" << 0 << 0 << 6 << "Photos - 2002" << "";
}

void TestUiDiscsWindow::resultRevealedInTree()
{
    QFETCH(QString, filter);
    QFETCH(QString, text);
    QFETCH(int, group);
    QFETCH(int, hit);
    QFETCH(int, line);
    QFETCH(QString, disc);
    QFETCH(QString, filterAfter);
    Fixture x;
    QVERIFY(x.activate());
    DiscsWindow &w = *x.window;
    w.filterBox->setText(filter);
    w.searchBox->setText(text);
    w.find();
    QVERIFY(waitFor([&] { return !w.isWorking(); }));
    const QModelIndex groupRow = w.hitsModel()->index(group, 0);
    w.searchResults->expand(groupRow);
    const QModelIndex hitRow = w.hitsModel()->index(hit, 0, groupRow);
    QVERIFY(hitRow.isValid());
    w.searchResults->setFocus();
    w.searchResults->setCurrentIndex(hitRow);
    QTest::keyClick(w.searchResults, Qt::Key_Return);

    QCOMPARE(w.views->currentIndex(), 0);
    QCOMPARE(focused(), w.folderTree);
    QCOMPARE(w.treeModel()->lineAt(w.folderTree->currentIndex()), line);
    QCOMPARE(w.discList->currentIndex().data().toString(), disc);
    for (QModelIndex up = w.folderTree->currentIndex().parent(); up.isValid(); up = up.parent())
        QVERIFY(w.folderTree->isExpanded(up));
    QCOMPARE(w.filterBox->text(), filterAfter);
}

// "Show on other discs" from the folder tree, from the search results or
// from the menu: the same path on other discs, and the same name in other
// folders of other discs, never the file's own disc.
void TestUiDiscsWindow::showOnOtherDiscs_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("line");
    QTest::addColumn<QStringList>("samePath");
    QTest::addColumn<QStringList>("sameName");

    QTest::newRow("path and name, shortcut in the tree")
        << "tree shortcut" << 2 << QStringList{"Games 2 - \\DATA\\LEVEL1.DAT"}
        << QStringList{"Photos - 2002 - \\BACKUP\\LEVEL1.DAT"};
    QTest::newRow("name only, shortcut in the results")
        << "results shortcut" << 9 << QStringList{}
        << QStringList{"Games 1 - \\DATA\\LEVEL1.DAT", "Games 2 - \\DATA\\LEVEL1.DAT"};
    QTest::newRow("same path, menu of the tree")
        << "tree menu" << 1 << QStringList{"Photos - 2002 - \\README.TXT"} << QStringList{};
    QTest::newRow("other way round, menu of the results")
        << "results menu" << 10 << QStringList{"Games 1 - \\SETUP.EXE"} << QStringList{};
    QTest::newRow("nowhere else") << "tree shortcut" << 14 << QStringList{} << QStringList{};
}

void TestUiDiscsWindow::showOnOtherDiscs()
{
    QFETCH(QString, route);
    QFETCH(int, line);
    QFETCH(QStringList, samePath);
    QFETCH(QStringList, sameName);
    Fixture x;
    QVERIFY(x.activate());
    DiscsWindow &w = *x.window;
    QTreeView *view = w.folderTree;
    if (route.startsWith(u"tree")) {
        w.revealLine(line);
    } else {
        // The file's own name finds it; its hit is made the current row.
        const QString path = sampleCatalog()[line].section(QStringLiteral(" - \\"), -1);
        w.searchBox->setText(path.section(u'\\', -1));
        w.find();
        QVERIFY(waitFor([&] { return !w.isWorking(); }));
        view = w.searchResults;
        w.views->setCurrentIndex(1);
        const int group = w.hitsModel()->groups().size() == 1 ? 0 : [&] {
            for (int g = 0; g < w.hitsModel()->rowCount(); ++g) {
                const auto &lines = w.hitsModel()->groups()[std::size_t(g)].lines;
                if (std::find(lines.begin(), lines.end(), line) != lines.end())
                    return g;
            }
            return -1;
        }();
        const QModelIndex groupRow = w.hitsModel()->index(group, 0);
        view->expand(groupRow);
        const auto &lines = w.hitsModel()->groups()[std::size_t(group)].lines;
        const int row = int(std::find(lines.begin(), lines.end(), line) - lines.begin());
        view->setCurrentIndex(w.hitsModel()->index(row, 0, groupRow));
        view->setFocus();
    }
    QSignalSpy shown(&w, &DiscsWindow::otherPlacesShown);
    if (route.endsWith(u"shortcut")) {
        QTest::keyClick(focused(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    } else {
        auto *action = view->findChild<QAction *>(view->objectName()
                                                  + QStringLiteral("ShowElsewhere"));
        QVERIFY(action);
        action->trigger();
    }
    QVERIFY(shown.count() == 1 || shown.wait(10000));
    QCOMPARE(w.views->currentIndex(), 2);
    QCOMPARE(focused(), w.otherDiscsView);
    LineGroupsModel *model = w.otherPlacesModel();
    QCOMPARE(groupRows(model),
             (QStringList{"Same path on other discs=" + QString::number(samePath.size()),
                          "Same name in other folders=" + QString::number(sameName.size())}));
    QCOMPARE(groupLines(model, 0), samePath);
    QCOMPARE(groupLines(model, 1), sameName);
}

// The paths, or the file names, on more than one disc, in the order of
// their first line; a disc under one of them leads to its file.
void TestUiDiscsWindow::filesOnSeveralDiscs_data()
{
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("disc");
    QTest::addColumn<int>("line");

    QTest::newRow("by path")
        << false
        << QStringList{"\\SETUP.EXE 2",     "  Games 1", "  Games 2",
                       "\\README.TXT 2",    "  Games 1", "  Photos - 2002",
                       "\\DATA\\LEVEL1.DAT 2", "  Games 1", "  Games 2"}
        << "3 paths stand on more than one disc" << 2 << 1 << 11;
    QTest::newRow("by name")
        << true
        << QStringList{"SETUP.EXE 2",  "  Games 1", "  Games 2",       "README.TXT 2",
                       "  Games 1",    "  Photos - 2002", "LEVEL1.DAT 3", "  Games 1",
                       "  Photos - 2002", "  Games 2"}
        << "3 file names stand on more than one disc" << 2 << 1 << 9;
}

void TestUiDiscsWindow::filesOnSeveralDiscs()
{
    QFETCH(bool, byName);
    QFETCH(QStringList, entries);
    QFETCH(QString, status);
    QFETCH(int, entry);
    QFETCH(int, disc);
    QFETCH(int, line);
    Fixture x;
    QVERIFY(x.activate());
    DiscsWindow &w = *x.window;
    QSignalSpy shown(&w, &DiscsWindow::duplicatesShown);
    // The page asks for them when it comes up; the other kind by its button.
    w.views->setCurrentIndex(3);
    if (byName)
        w.byNameButton->click();
    QVERIFY(waitFor([&] { return !w.isWorking() && shown.count() > 0; }));
    QCOMPARE(w.duplicatesStatus->text(), status);
    QCOMPARE(render(w.duplicatesModel()), entries);

    const QModelIndex entryRow = w.duplicatesModel()->index(entry, 0);
    const QModelIndex discRow = w.duplicatesModel()->index(disc, 0, entryRow);
    w.duplicatesView->expand(entryRow);
    w.duplicatesView->setCurrentIndex(discRow);
    w.duplicatesView->setFocus();
    QTest::keyClick(w.duplicatesView, Qt::Key_Return);
    QCOMPARE(w.views->currentIndex(), 0);
    QCOMPARE(w.treeModel()->lineAt(w.folderTree->currentIndex()), line);
}

// Alt and a letter reach one control each, wherever the focus is.
void TestUiDiscsWindow::mnemonicsUniqueInWindow()
{
    Fixture x;
    QHash<QKeySequence, QString> taken;
    QStringList texts;
    for (QWidget *control : x.window->findChildren<QWidget *>()) {
        if (auto *label = qobject_cast<QLabel *>(control))
            texts << label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(control))
            texts << button->text();
    }
    for (int tab = 0; tab < x.window->views->count(); ++tab)
        texts << x.window->views->tabText(tab);
    int mnemonics = 0;
    for (const QString &text : texts) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(text);
        if (mnemonic.isEmpty())
            continue;
        ++mnemonics;
        QVERIFY2(!taken.contains(mnemonic), qPrintable(taken.value(mnemonic) + " and " + text));
        taken.insert(mnemonic, text);
    }
    QCOMPARE(mnemonics, 11);
}

// From the filter to a disc, its folders, a search, a hit shown in its
// folder, its other discs and the files on several discs, and away, without
// a mouse: each step a key and where the focus and the views stand after.
void TestUiDiscsWindow::keyboardOnly()
{
    struct Step
    {
        const char *what;
        QString keys; // typed text; empty for key
        int key;
        Qt::KeyboardModifiers modifiers;
        const char *focus; // object name of the focus afterwards
        int page;          // the view shown afterwards
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const std::vector<Step> steps{
        {"type a filter", QStringLiteral("games"), 0, none, "filterBox", 0},
        {"Enter goes to the list", {}, Qt::Key_Return, none, "discList", 0},
        {"Down picks the next disc", {}, Qt::Key_Down, none, "discList", 0},
        {"Enter opens its folders", {}, Qt::Key_Return, none, "folderTree", 0},
        {"Down to the first row", {}, Qt::Key_Down, none, "folderTree", 0},
        {"Ctrl+F goes to the search", {}, Qt::Key_F, Qt::ControlModifier, "searchBox", 1},
        {"type a text", QStringLiteral("level1"), 0, none, "searchBox", 1},
        {"Enter searches", {}, Qt::Key_Return, none, "searchBox", 1},
        {"Tab to Find", {}, Qt::Key_Tab, none, "findButton", 1},
        {"Tab to the results", {}, Qt::Key_Tab, none, "searchResults", 1},
        {"Right opens the disc", {}, Qt::Key_Right, none, "searchResults", 1},
        {"Down to its first hit", {}, Qt::Key_Down, none, "searchResults", 1},
        {"Enter shows it in its folder", {}, Qt::Key_Return, none, "folderTree", 0},
        {"Ctrl+Shift+O: its other discs", {}, Qt::Key_O,
         Qt::ControlModifier | Qt::ShiftModifier, "otherDiscsView", 2},
        {"Alt+V: files on several discs", {}, Qt::Key_V, Qt::AltModifier, "byPathButton", 3},
        {"Alt+N: by name", {}, Qt::Key_N, Qt::AltModifier, "byNameButton", 3},
        {"Alt+L back to the filter", {}, Qt::Key_L, Qt::AltModifier, "filterBox", 3},
    };
    Fixture x;
    QVERIFY(x.activate());
    DiscsWindow &w = *x.window;
    QCOMPARE(focused(), w.filterBox); // first in the focus order
    for (const Step &step : steps) {
        if (!step.keys.isEmpty())
            QTest::keyClicks(focused(), step.keys);
        else
            QTest::keyClick(focused(), Qt::Key(step.key), step.modifiers);
        QVERIFY2(waitFor([&] { return !w.isWorking(); }), step.what);
        QVERIFY2(focused(), step.what);
        QCOMPARE(focused()->objectName(), QLatin1String(step.focus));
        QCOMPARE(w.views->currentIndex(), step.page);
    }
    // What the journey went through.
    QCOMPARE(w.discList->currentIndex().data().toString(), QStringLiteral("Games 1"));
    QCOMPARE(groupRows(w.hitsModel()),
             (QStringList{"Games 1=1", "Photos - 2002=1", "Games 2=1"}));
    QCOMPARE(groupLines(w.otherPlacesModel(), 0), QStringList{"Games 2 - \\DATA\\LEVEL1.DAT"});
    // A mnemonic presses its radio button a moment later, as a click shows.
    QTRY_COMPARE(w.duplicatesStatus->text(),
                 QStringLiteral("3 file names stand on more than one disc"));
    QTest::keyClick(focused(), Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

// Closing while the worker still looks through many lines waits for it and
// leaves nothing behind (the sanitizer build watches).
void TestUiDiscsWindow::closesWhileWorking()
{
    QStringList lines;
    for (int i = 0; i < 200000; ++i)
        lines << QStringLiteral("Disc %1 - \\DIR%2\\FILE%3.DAT").arg(i % 50).arg(i % 7).arg(i % 999);
    auto x = std::make_unique<Fixture>(lines);
    QVERIFY(x->ready());
    x->window->showDuplicates(DiscDuplicates::Key::FileName);
    x->window->showOnOtherDiscs(5);
    QVERIFY(x->window->isWorking());
    x.reset();
}

QTEST_MAIN(TestUiDiscsWindow)
#include "tst_ui_discswindow.moc"
