// The Discs window: opened from the main window over the catalog in use,
// the catalog file read in slices, the disc list with its filter and
// totals, a disc's folder tree handed out in batches, its mnemonics, and a
// close while the worker is busy. The other views: tst_ui_discswindow_views.

#include "DiscsWindowTestSupport.h"

using namespace kobrix;
using namespace kobrix::test;

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
    void mnemonicsUniqueInWindow();
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
    QTest::newRow("catalog loaded")
        << int(WorkMode::SearchCatalog) << QStringList{"load"} << "Discs - Games.cdc" << loaded;
    QTest::newRow("loaded, then its file changed: the lines in hand")
        << int(WorkMode::SearchCatalog) << QStringList{"load", "change file"} << "Discs - Games.cdc"
        << loaded;
    QTest::newRow("loaded, then a disc scanned: the file loaded")
        << int(WorkMode::AddDisc) << QStringList{"load", "scan", "change file"}
        << "Discs - Games.cdc" << QStringList{"Other=1"};
    QTest::newRow("scanned and written: the file written")
        << int(WorkMode::NewCatalog) << QStringList{"scan", "write"} << "Discs - Music.cdc"
        << QStringList{"Scanned=4"};
    QTest::newRow("scanned, nothing written")
        << int(WorkMode::NewCatalog) << QStringList{"scan"} << QString() << QStringList{};
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
    f.session().catalog().setPath(QStringLiteral("Music")); // a name typed, no file
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
            QCOMPARE(int(f.session().catalog().content()), int(Catalog::Content::DiscListing));
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
        askedDuringLoad = f.session().isLoading();
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
    QTest::addColumn<QStringList>("messages");

    // The discs read: tst_session_catalogsession's readsCatalogFile.
    QTest::newRow("whole file") << "Games.cdc" << QStringList{};
    QTest::newRow("missing") << "missing.cdc"
                             << QStringList{"Error Reading file\r\r53 - File not found"};
    QTest::newRow("a folder") << "folder"
                              << QStringList{"Error Reading file\r\r75 - Path/File access error"};
}

void TestUiDiscsWindow::readsCatalogFile()
{
    QFETCH(QString, file);
    QFETCH(QStringList, messages);
    QTemporaryDir dir;
    writeFile(dir.path(), QStringLiteral("Games.cdc"), catalogBytes(sampleCatalog()));
    makeDir(dir.path(), QStringLiteral("folder"));
    RecordingMessageBoxService shown;
    DiscsWindow window(UiServices{&shown});
    window.setSliceBudget(std::chrono::nanoseconds(1)); // a record or so per slice
    window.readCatalogFile(dir.filePath(file));
    QVERIFY(waitFor([&] { return window.isReady(); }));
    QCOMPARE(window.windowTitle(), QStringLiteral("Discs - ") + file);
    QCOMPARE(window.discListModel()->rowCount(), file == u"Games.cdc" ? 4 : 0);
    QCOMPARE(shown.texts(), messages);
}

void TestUiDiscsWindow::filterAndTotals_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("discs");
    QTest::addColumn<QString>("totals");

    QTest::newRow("none") << "" << QStringList{"Games 1", "Photos - 2002", "Games 2", kLoose}
                          << "4 disc(s), 15 file(s)";
    QTest::newRow("part of two names")
        << "games" << QStringList{"Games 1", "Games 2"} << "2 of 4 disc(s), 10 of 15 file(s)";
    QTest::newRow("letter case aside")
        << "GAMES 2" << QStringList{"Games 2"} << "1 of 4 disc(s), 3 of 15 file(s)";
    QTest::newRow("dash inside a name")
        << " - " << QStringList{"Photos - 2002"} << "1 of 4 disc(s), 4 of 15 file(s)";
    QTest::newRow("the lines made by hand")
        << "without" << QStringList{kLoose} << "1 of 4 disc(s), 1 of 15 file(s)";
    QTest::newRow("nothing") << "zzz" << QStringList{} << "0 of 4 disc(s), 0 of 15 file(s)";
}

void TestUiDiscsWindow::filterAndTotals()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, discs);
    QFETCH(QString, totals);
    Fixture x;
    QVERIFY(x.ready());
    ui(x.window).filterBox->setText(filter);
    QStringList names;
    for (const QString &row : discRows(*x.window))
        names << row.section(u'=', 0, 0);
    QCOMPARE(names, discs);
    QCOMPARE(ui(x.window).totalsLabel->text(), totals);
    // The tree keeps showing the first disc; the list marks it where shown.
    QCOMPARE(x.window->currentDisc(), 0);
    QCOMPARE(ui(x.window).discList->currentIndex().data().toString(),
             discs.contains(u"Games 1") ? QStringLiteral("Games 1") : QString());
}

// Folders before files, both in the order of the lines; each folder with
// the files in and below it.
void TestUiDiscsWindow::treeOfDisc_data()
{
    QTest::addColumn<QString>("disc");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("tree");

    QTest::newRow("disc appended twice")
        << "Games 1"
        << "Games 1: 7 file(s) in 4 folder(s)"
        << QStringList{"DATA 3",       "  MUSIC 1", "    TRACK01.OGG", "  LEVEL1.DAT",
                       "  LEVEL2.DAT", "MAPS 1",    "  NORTH.MAP",     "EXTRA 1",
                       "  BONUS.DAT",  "SETUP.EXE", "README.TXT"};
    QTest::newRow("dash in its name") << "Photos - 2002"
                                      << "Photos - 2002: 4 file(s) in 2 folder(s)"
                                      << QStringList{"ALBUM 1",      "  IMG0002.JPG", "BACKUP 1",
                                                     "  LEVEL1.DAT", "IMG0001.JPG",   "README.TXT"};
    QTest::newRow("lines made by hand")
        << kLoose << kLoose + ": 1 file(s) in 0 folder(s)" << QStringList{"notes made by hand"};
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
            ui(x.window).discList->setCurrentIndex(list->index(row, 0));
    }
    QCOMPARE(ui(x.window).folderHeading->text(), heading);
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
    QTreeView *view = ui(x.window).folderTree;
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
    for (int tab = 0; tab < ui(x.window).views->count(); ++tab)
        texts << ui(x.window).views->tabText(tab);
    int mnemonics = 0;
    for (const QString &text : texts) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(text);
        if (mnemonic.isEmpty())
            continue;
        ++mnemonics;
        QVERIFY2(!taken.contains(mnemonic), qPrintable(taken.value(mnemonic) + " and " + text));
        taken.insert(mnemonic, text);
    }
    QCOMPARE(mnemonics, 14); // with "&Add Catalogs", "&Export..." and "P&rint..."
}

// Closing while the worker still looks through many lines waits for it and
// leaves nothing behind (the sanitizer build watches).
void TestUiDiscsWindow::closesWhileWorking()
{
    QStringList lines;
    for (int i = 0; i < 200000; ++i)
        lines
            << QStringLiteral("Disc %1 - \\DIR%2\\FILE%3.DAT").arg(i % 50).arg(i % 7).arg(i % 999);
    auto x = std::make_unique<Fixture>(lines);
    QVERIFY(x->ready());
    x->window->showDuplicates(DiscDuplicates::Key::FileName);
    x->window->showOnOtherDiscs(5);
    QVERIFY(x->window->isWorking());
    x.reset();
}

QTEST_MAIN(TestUiDiscsWindow)
#include "tst_ui_discswindow.moc"
