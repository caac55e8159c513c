// The Discs window's views beside the folder tree: the search grouped by
// disc and its way back into the tree, the other discs holding a file, the
// files on several discs, and a user who has only the keyboard.

#include "DiscsWindowTestSupport.h"

#include <QContextMenuEvent>

using namespace kobrix;
using namespace kobrix::test;

class TestUiDiscsWindowViews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void searchGroupedByDisc_data();
    void searchGroupedByDisc();
    void resultRevealedInTree_data();
    void resultRevealedInTree();
    void showOnOtherDiscs_data();
    void showOnOtherDiscs();
    void filesOnSeveralDiscs_data();
    void filesOnSeveralDiscs();
    void severalDiscsCountInWords_data();
    void severalDiscsCountInWords();
    void keyboardOnly();
};

// Hits of the designed matching rule, counted per disc in the order of the
// discs, each group opening to its files' paths.
void TestUiDiscsWindowViews::searchGroupedByDisc_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QStringList>("firstGroup");
    QTest::addColumn<QString>("status");

    QTest::newRow("several discs")
        << "level" << QStringList{"Games 1=2", "Photos - 2002=1", "Games 2=2"}
        << QStringList{"\\DATA\\LEVEL1.DAT", "\\DATA\\LEVEL2.DAT"}
        << "Found 5 Item(s) on 3 disc(s)";
    QTest::newRow("a line made by hand")
        << "hand" << QStringList{kLoose + "=1"} << QStringList{"notes made by hand"}
        << "Found 1 Item(s) on 1 disc(s)";
    QTest::newRow("not found") << "zzz" << QStringList{} << QStringList{}
                               << "Search text not found";
    QTest::newRow("empty box") << "" << QStringList{} << QStringList{} << "Enter a search string";
}

void TestUiDiscsWindowViews::searchGroupedByDisc()
{
    QFETCH(QString, text);
    QFETCH(QStringList, groups);
    QFETCH(QStringList, firstGroup);
    QFETCH(QString, status);
    Fixture x;
    QVERIFY(x.ready());
    x.window->setSliceBudget(std::chrono::nanoseconds(1)); // many slices
    ui(x.window).searchBox->setText(text);
    QSignalSpy finished(x.window.get(), &DiscsWindow::searchFinished);
    ui(x.window).findButton->click();
    QVERIFY(finished.count() == 1 || finished.wait(10000));
    QCOMPARE(groupRows(x.window->hitsModel()), groups);
    QCOMPARE(ui(x.window).searchStatus->text(), status);
    if (!groups.isEmpty())
        QCOMPARE(groupLines(x.window->hitsModel(), 0), firstGroup);
}

// Choosing a hit (Enter or a double click, which the view reports as
// activated) shows its file in its disc's tree, also when the filter hid
// the disc.
void TestUiDiscsWindowViews::resultRevealedInTree_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("hit");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("disc");
    QTest::addColumn<QString>("filterAfter");

    QTest::newRow("deep file") << ""
                               << "track" << 0 << 0 << 4 << "Games 1"
                               << "";
    QTest::newRow("second disc's hit") << ""
                                       << "level1" << 2 << 0 << 11 << "Games 2"
                                       << "";
    QTest::newRow("disc hidden by the filter") << "photos"
                                               << "level1" << 0 << 0 << 2 << "Games 1"
                                               << "";
    QTest::newRow("disc the filter shows") << "games"
                                           << "level1" << 2 << 0 << 11 << "Games 2"
                                           << "games";
    QTest::newRow("root file") << ""
                               << "img0001" << 0 << 0 << 6 << "Photos - 2002"
                               << "";
}

void TestUiDiscsWindowViews::resultRevealedInTree()
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
    ui(w).filterBox->setText(filter);
    ui(w).searchBox->setText(text);
    w.find();
    QVERIFY(waitFor([&] { return !w.isWorking(); }));
    const QModelIndex groupRow = w.hitsModel()->index(group, 0);
    ui(w).searchResults->expand(groupRow);
    const QModelIndex hitRow = w.hitsModel()->index(hit, 0, groupRow);
    QVERIFY(hitRow.isValid());
    ui(w).searchResults->setFocus();
    ui(w).searchResults->setCurrentIndex(hitRow);
    QTest::keyClick(ui(w).searchResults, Qt::Key_Return);

    QCOMPARE(ui(w).views->currentIndex(), 0);
    QCOMPARE(focused(), ui(w).folderTree);
    QCOMPARE(w.treeModel()->lineAt(ui(w).folderTree->currentIndex()), line);
    QCOMPARE(ui(w).discList->currentIndex().data().toString(), disc);
    for (QModelIndex up = ui(w).folderTree->currentIndex().parent(); up.isValid(); up = up.parent())
        QVERIFY(ui(w).folderTree->isExpanded(up));
    QCOMPARE(ui(w).filterBox->text(), filterAfter);
}

// "Show on other discs" from the folder tree, from the search results or
// from the menu: the same path on other discs, and the same name in other
// folders of other discs, never the file's own disc.
void TestUiDiscsWindowViews::showOnOtherDiscs_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("samePath"); // places found (tst_session_catalogsession has which)
    QTest::addColumn<int>("sameName");

    QTest::newRow("path and name, shortcut in the tree") << "tree shortcut" << 2 << 1 << 1;
    QTest::newRow("name only, shortcut in the results") << "results shortcut" << 9 << 0 << 2;
    QTest::newRow("same path, menu of the tree") << "tree menu" << 1 << 1 << 0;
    QTest::newRow("other way round, menu of the results") << "results menu" << 10 << 1 << 0;
    QTest::newRow("nowhere else") << "tree shortcut" << 14 << 0 << 0;
    QTest::newRow("menu key in the tree, then its letter") << "tree menu key" << 12 << 0 << 0;
    QTest::newRow("menu key in the results, then its letter")
        << "results menu key" << 11 << 1 << 1;
}

void TestUiDiscsWindowViews::showOnOtherDiscs()
{
    QFETCH(QString, route);
    QFETCH(int, line);
    QFETCH(int, samePath);
    QFETCH(int, sameName);
    Fixture x;
    QVERIFY(x.activate());
    DiscsWindow &w = *x.window;
    QTreeView *view = ui(w).folderTree;
    if (route.startsWith(u"tree")) {
        w.revealLine(line);
    } else {
        // The file's own name finds it; its hit is made the current row.
        const QString path = sampleCatalog()[line].section(QStringLiteral(" - \\"), -1);
        ui(w).searchBox->setText(path.section(u'\\', -1));
        w.find();
        QVERIFY(waitFor([&] { return !w.isWorking(); }));
        view = ui(w).searchResults;
        ui(w).views->setCurrentIndex(1);
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
    } else if (route.endsWith(u"menu key")) {
        // The menu comes up at the current row; "O" picks "Show on other discs".
        QStringList items;
        QTimer::singleShot(0, &w, [&] {
            if (QWidget *menu = QApplication::activePopupWidget()) {
                for (const QAction *item : menu->actions())
                    items << item->text()
                                 + (item->isEnabled() ? QString() : QStringLiteral(" off"));
                QTest::keyClick(menu, Qt::Key_O);
            }
        });
        QContextMenuEvent press(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                view->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(view, &press);
        const QStringList offered = route.startsWith(u"tree")
                                        ? QStringList{"Show on &other discs"}
                                        : QStringList{"Show in &Folders", "Show on &other discs"};
        QCOMPARE(items, offered);
    } else {
        auto *action =
            view->findChild<QAction *>(view->objectName() + QStringLiteral("ShowElsewhere"));
        QVERIFY(action);
        action->trigger();
    }
    QVERIFY(shown.count() == 1 || shown.wait(10000));
    if (!QApplication::activeWindow()) {
        // The offscreen platform leaves no window active when a popup
        // closes; a desktop gives the window back its activation.
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
    QCOMPARE(ui(w).views->currentIndex(), 2);
    QCOMPARE(focused(), ui(w).otherDiscsView);
    LineGroupsModel *model = w.otherPlacesModel();
    QCOMPARE(groupRows(model),
             (QStringList{"Same path on other discs=" + QString::number(samePath),
                          "Same name in other folders=" + QString::number(sameName)}));
}

// The paths, or the file names, on more than one disc, in the order of
// their first line; a disc under one of them leads to its file.
void TestUiDiscsWindowViews::filesOnSeveralDiscs_data()
{
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("disc");
    QTest::addColumn<int>("line");

    QTest::newRow("by path") << false
                             << QStringList{"\\SETUP.EXE 2",        "  Games 1", "  Games 2",
                                            "\\README.TXT 2",       "  Games 1", "  Photos - 2002",
                                            "\\DATA\\LEVEL1.DAT 2", "  Games 1", "  Games 2"}
                             << "3 paths stand on more than one disc" << 2 << 1 << 11;
    QTest::newRow("by name") << true << QStringList{"SETUP.EXE 2",  "  Games 1", "  Games 2",
                                                    "README.TXT 2", "  Games 1", "  Photos - 2002",
                                                    "LEVEL1.DAT 3", "  Games 1", "  Photos - 2002",
                                                    "  Games 2"}
                             << "3 file names stand on more than one disc" << 2 << 1 << 9;
}

void TestUiDiscsWindowViews::filesOnSeveralDiscs()
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
    ui(w).views->setCurrentIndex(3);
    if (byName)
        ui(w).byNameButton->click();
    QVERIFY(waitFor([&] { return !w.isWorking() && shown.count() > 0; }));
    QCOMPARE(ui(w).duplicatesStatus->text(), status);
    QCOMPARE(render(w.duplicatesModel()), entries);

    const QModelIndex entryRow = w.duplicatesModel()->index(entry, 0);
    const QModelIndex discRow = w.duplicatesModel()->index(disc, 0, entryRow);
    ui(w).duplicatesView->expand(entryRow);
    ui(w).duplicatesView->setCurrentIndex(discRow);
    ui(w).duplicatesView->setFocus();
    QTest::keyClick(ui(w).duplicatesView, Qt::Key_Return);
    QCOMPARE(ui(w).views->currentIndex(), 0);
    QCOMPARE(w.treeModel()->lineAt(ui(w).folderTree->currentIndex()), line);
}

// The count of files on several discs reads as English: one path, two
// file names.
void TestUiDiscsWindowViews::severalDiscsCountInWords_data()
{
    QTest::addColumn<QStringList>("catalog");
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QString>("status");
    const QStringList twoNames{"A - \\X.TXT", "B - \\X.TXT", "A - \\Y.TXT", "B - \\SUB\\Y.TXT"};
    const QStringList oneFile{"A - \\X.TXT", "B - \\X.TXT", "B - \\Z.TXT"};
    QTest::newRow("one path") << twoNames << false << "1 path stands on more than one disc";
    QTest::newRow("two file names") << twoNames << true << "2 file names stand on more than one disc";
    QTest::newRow("one file name") << oneFile << true << "1 file name stands on more than one disc";
}

void TestUiDiscsWindowViews::severalDiscsCountInWords()
{
    QFETCH(QStringList, catalog);
    QFETCH(bool, byName);
    QFETCH(QString, status);
    Fixture x(catalog);
    QVERIFY(x.ready());
    DiscsWindow &w = *x.window;
    QSignalSpy shown(&w, &DiscsWindow::duplicatesShown);
    w.showDuplicates(byName ? DiscDuplicates::Key::FileName : DiscDuplicates::Key::Path);
    QVERIFY(waitFor([&] { return !w.isWorking() && shown.count() > 0; }));
    QCOMPARE(ui(w).duplicatesStatus->text(), status);
}

// From the filter to a disc, its folders, a search, a hit shown in its
// folder, its other discs and the files on several discs, and away, without
// a mouse: each step a key and where the focus and the views stand after.
void TestUiDiscsWindowViews::keyboardOnly()
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
        {"Ctrl+Shift+O: its other discs",
         {},
         Qt::Key_O,
         Qt::ControlModifier | Qt::ShiftModifier,
         "otherDiscsView",
         2},
        {"Alt+V: files on several discs", {}, Qt::Key_V, Qt::AltModifier, "byPathButton", 3},
        {"Alt+N: by name", {}, Qt::Key_N, Qt::AltModifier, "byNameButton", 3},
        {"Alt+L back to the filter", {}, Qt::Key_L, Qt::AltModifier, "filterBox", 3},
    };
    Fixture x;
    QVERIFY(x.activate());
    DiscsWindow &w = *x.window;
    QCOMPARE(focused(), ui(w).filterBox); // first in the focus order
    for (const Step &step : steps) {
        if (!step.keys.isEmpty())
            QTest::keyClicks(focused(), step.keys);
        else
            QTest::keyClick(focused(), Qt::Key(step.key), step.modifiers);
        QVERIFY2(waitFor([&] { return !w.isWorking(); }), step.what);
        QVERIFY2(focused(), step.what);
        QCOMPARE(focused()->objectName(), QLatin1String(step.focus));
        QCOMPARE(ui(w).views->currentIndex(), step.page);
    }
    // What the journey went through.
    QCOMPARE(ui(w).discList->currentIndex().data().toString(), QStringLiteral("Games 1"));
    QCOMPARE(groupRows(w.hitsModel()), (QStringList{"Games 1=1", "Photos - 2002=1", "Games 2=1"}));
    QCOMPARE(groupLines(w.otherPlacesModel(), 0), QStringList{"Games 2 - \\DATA\\LEVEL1.DAT"});
    // A mnemonic presses its radio button a moment later, as a click shows.
    QTRY_COMPARE(ui(w).duplicatesStatus->text(),
                 QStringLiteral("3 file names stand on more than one disc"));
    QTest::keyClick(focused(), Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestUiDiscsWindowViews)
#include "tst_ui_discswindow_views.moc"
