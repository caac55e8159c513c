// The Discs window with several catalogs: files and folders added beside the
// catalog shown, each disc named with its catalog in every view, the search,
// the other places and the files on several discs over all of them, what
// cannot be read or is shown already, and the main window's catalog left as
// it was.

#include "DiscsWindowTestSupport.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include "ui/discs/DiscsWindowOutput.h"
#include "ui/main/Form1.h"

using namespace kobrix;
using namespace kobrix::test;

namespace {

const QString kBad = QStringLiteral("Error Reading file");

// A window over the catalog "Games.cdc" in hand (written to a folder as
// well), with file dialogs answered from a script.
struct ShelfFixture
{
    ShelfFixture()
    {
        writeFile(dir.path(), QStringLiteral("Games.cdc"), catalogBytes(sampleCatalog()));
        for (const QString &line : sampleCatalog())
            catalog.lines().append(line);
        catalog.setContent(Catalog::Content::CatalogLines);
        catalog.setPath(dir.filePath(QStringLiteral("Games.cdc")));
        printPreview.outputFolder = dir.path();
        UiServices services{&messages, &dialogs};
        services.printPreview = &printPreview;
        window = std::make_unique<DiscsWindow>(services);
        window->showCatalog(catalog, QStringLiteral("Games.cdc"));
    }
    bool ready()
    {
        return waitFor([this] { return window->isReady(); });
    }
    QString path(const QString &relative) const { return dir.filePath(relative); }
    // Adds files and folders (relative to the folder) and waits until done.
    bool add(const QStringList &relative)
    {
        QStringList paths;
        for (const QString &one : relative)
            paths << path(one);
        QSignalSpy added(window.get(), &DiscsWindow::catalogsAdded);
        window->addCatalogs(paths);
        return waitFor([&] { return !added.isEmpty() && window->isReady() && !window->isWorking(); });
    }
    void write(const QString &relative, const QStringList &lines)
    {
        writeFile(dir.path(), relative, catalogBytes(lines));
    }

    QTemporaryDir dir;
    RecordingMessageBoxService messages;
    ScriptedFileDialogBackend dialogs;
    PdfPrintPreview printPreview;
    Catalog catalog;
    std::unique_ptr<DiscsWindow> window;
};

// "disc|catalog=files" for each row of the disc list.
QStringList catalogRows(const DiscsWindow &window)
{
    QStringList rows;
    const DiscListModel *model = window.discListModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString catalog = model->columnCount() > DiscListModel::CatalogColumn
            ? model->index(row, DiscListModel::CatalogColumn).data().toString()
            : QStringLiteral("-");
        rows << model->index(row, 0).data().toString() + u'|' + catalog + u'='
                    + model->index(row, 1).data().toString();
    }
    return rows;
}

// The messages shown, each cut to its first line, "|" between the lines.
QStringList messageLines(const RecordingMessageBoxService &messages)
{
    QStringList out;
    for (const ShownMessage &m : messages.shown)
        out << QString(m.text).replace(QStringLiteral("\r\r"), QStringLiteral("|")).section(u'|', 0, 1);
    return out;
}

const QStringList kShown{"Games 1|Games.cdc=7", "Photos - 2002|Games.cdc=4", "Games 2|Games.cdc=3",
                         kLoose + "|Games.cdc=1"};
// The same discs while the window shows one catalog: no catalog column.
const QStringList kAlone{"Games 1|-=7", "Photos - 2002|-=4", "Games 2|-=3", kLoose + "|-=1"};

} // namespace

class TestUiDiscsWindowCatalogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addsCatalogs_data();
    void addsCatalogs();
    void searchesAllCatalogs_data();
    void searchesAllCatalogs();
    void otherPlacesAndDuplicatesAcrossCatalogs();
    void filterFindsACatalog();
    void asksForFilesAndFolders_data();
    void asksForFilesAndFolders();
    void fromTheMainWindow();
    void exportsNameTheCatalogs_data();
    void exportsNameTheCatalogs();
    void exportAndAddingWaitForEachOther();
};

// What the window shows after an addition: the disc rows with their
// catalogs, the catalogs in the order read, the totals, the title and the
// messages. $D stands for the folder of the catalogs.
void TestUiDiscsWindowCatalogs::addsCatalogs_data()
{
    QTest::addColumn<QStringList>("setup"); // "file=line;line"
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("catalogs");
    QTest::addColumn<QString>("totals");
    QTest::addColumn<QStringList>("messages");

    // The catalogs read and what is reported of every kind of file and
    // folder: tst_session_catalogsession's addsCatalogs.
    QTest::newRow("a second catalog: the same disc name stays two discs")
        << QStringList{"Shelf 2.cdc=Games 1 - \\SETUP.EXE;Games 1 - \\NEW.TXT;Music - \\A.MP3"}
        << QStringList{"Shelf 2.cdc"}
        << kShown + QStringList{"Games 1|Shelf 2.cdc=2", "Music|Shelf 2.cdc=1"} << 2
        << "2 catalogs, 6 disc(s), 18 file(s)" << QStringList{};
    QTest::newRow("the catalog shown already: nothing added")
        << QStringList{} << QStringList{"Games.cdc"} << kAlone << 1 << "4 disc(s), 15 file(s)"
        << QStringList{"The catalogs chosen are shown already."};
    QTest::newRow("the same file name in two folders: told apart by path")
        << QStringList{"x/one.cdc=A - \\1", "y/one.cdc=A - \\2"} << QStringList{"x", "y"}
        << kShown + QStringList{"A|$D/x/one.cdc=1", "A|$D/y/one.cdc=1"} << 3
        << "3 catalogs, 6 disc(s), 17 file(s)" << QStringList{};
    QTest::newRow("a folder without catalogs")
        << QStringList{"empty/readme.txt=x"} << QStringList{"empty"} << kAlone << 1
        << "4 disc(s), 15 file(s)" << QStringList{"No catalog (*.cdc) was found in $D/empty."};
    QTest::newRow("a missing file among good ones: reported, the others open")
        << QStringList{"good.cdc=G - \\x", "also.cdc=H - \\y"}
        << QStringList{"good.cdc", "missing.cdc", "also.cdc"}
        << kShown + QStringList{"G|good.cdc=1", "H|also.cdc=1"} << 3
        << "3 catalogs, 6 disc(s), 17 file(s)" << QStringList{"$D/missing.cdc|" + kBad};
    QTest::newRow("accents, Cyrillic, Japanese")
        << QStringList{"Étagère été.cdc=Église - \\été.txt;Диск 1 - \\Ёлка.mp3",
                       "本棚.cdc=写真 - \\データ.jpg;Games 1 - \\SETUP.EXE"}
        << QStringList{"Étagère été.cdc", "本棚.cdc"}
        << kShown
               + QStringList{"Église|Étagère été.cdc=1", "Диск 1|Étagère été.cdc=1",
                             "写真|本棚.cdc=1", "Games 1|本棚.cdc=1"}
        << 3 << "3 catalogs, 8 disc(s), 19 file(s)" << QStringList{};
}

void TestUiDiscsWindowCatalogs::addsCatalogs()
{
    QFETCH(QStringList, setup);
    QFETCH(QStringList, added);
    QFETCH(QStringList, rows);
    QFETCH(int, catalogs);
    QFETCH(QString, totals);
    QFETCH(QStringList, messages);

    ShelfFixture x;
    for (const QString &step : setup)
        x.write(step.section(u'=', 0, 0), step.section(u'=', 1).split(u';'));
    QVERIFY(x.ready());
    QVERIFY(x.add(added));
    const QString folder = QDir::toNativeSeparators(x.dir.path());
    for (QStringList *list : {&rows, &messages})
        list->replaceInStrings(QStringLiteral("$D"), folder);
    QCOMPARE(catalogRows(*x.window), rows);
    QCOMPARE(ui(x.window).totalsLabel->text(), totals);
    QCOMPARE(messageLines(x.messages), messages);
    QCOMPARE(x.window->windowTitle(),
             catalogs > 1 ? QStringLiteral("Discs - %1 catalogs").arg(catalogs)
                          : QStringLiteral("Discs - Games.cdc"));
    QVERIFY(ui(x.window).addButton->isEnabled());
    // The folder tree names the disc's catalog.
    x.window->selectDisc(x.window->index()->count() - 1);
    const QString last = rows.last().section(u'|', 0, 0);
    const QString lastCatalog = rows.last().section(u'|', 1).section(u'=', 0, 0);
    QVERIFY2(ui(x.window).folderHeading->text().startsWith(
                 catalogs > 1 ? last + " (" + lastCatalog + "): " : last + ": "),
             qPrintable(ui(x.window).folderHeading->text()));
}

// Hits of every catalog, grouped by disc with its catalog; a search shown
// when catalogs come is run again over all.
void TestUiDiscsWindowCatalogs::searchesAllCatalogs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("searchFirst");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QString>("status");

    const QStringList setup{"Games 1 (Games.cdc)=1", "Games 2 (Games.cdc)=1",
                            "Games 1 (Shelf 2.cdc)=1", "ゲーム (本棚.cdc)=1"};
    QTest::newRow("searched after the adding") << "setup" << false << setup
                                               << "Found 4 Item(s) on 4 disc(s)";
    QTest::newRow("searched before: run again") << "setup" << true << setup
                                                << "Found 4 Item(s) on 4 disc(s)";
    QTest::newRow("only in an added catalog, by Cyrillic letter case")
        << "ёлка" << false << QStringList{"Диск 1 (Shelf 2.cdc)=1"}
        << "Found 1 Item(s) on 1 disc(s)";
    QTest::newRow("nowhere") << "nothing like it" << true << QStringList{}
                             << "Search text not found";
}

void TestUiDiscsWindowCatalogs::searchesAllCatalogs()
{
    QFETCH(QString, text);
    QFETCH(bool, searchFirst);
    QFETCH(QStringList, groups);
    QFETCH(QString, status);

    ShelfFixture x;
    x.write(QStringLiteral("Shelf 2.cdc"),
            {"Games 1 - \\SETUP.EXE", "Диск 1 - \\Ёлка.mp3"});
    x.write(QStringLiteral("本棚.cdc"), {"ゲーム - \\setup.exe"});
    QVERIFY(x.ready());
    ui(x.window).searchBox->setText(text);
    if (searchFirst) {
        QSignalSpy finished(x.window.get(), &DiscsWindow::searchFinished);
        x.window->find();
        QVERIFY(waitFor([&] { return !finished.isEmpty(); }));
    }
    QSignalSpy finished(x.window.get(), &DiscsWindow::searchFinished);
    QVERIFY(x.add({QStringLiteral("Shelf 2.cdc"), QStringLiteral("本棚.cdc")}));
    if (!searchFirst)
        x.window->find();
    QVERIFY(waitFor([&] { return !finished.isEmpty(); }));
    QCOMPARE(groupRows(x.window->hitsModel()), groups);
    QCOMPARE(ui(x.window).searchStatus->text(), status);
}

// The other places of a file and the files on several discs reach across
// catalogs, naming each place's catalog.
void TestUiDiscsWindowCatalogs::otherPlacesAndDuplicatesAcrossCatalogs()
{
    ShelfFixture x;
    x.write(QStringLiteral("Shelf 2.cdc"), {"Games 1 - \\SETUP.EXE", "Other - \\X\\SETUP.EXE"});
    QVERIFY(x.ready());
    QVERIFY(x.add({QStringLiteral("Shelf 2.cdc")}));

    QSignalSpy shown(x.window.get(), &DiscsWindow::otherPlacesShown);
    x.window->showOnOtherDiscs(0); // Games 1 - \SETUP.EXE of Games.cdc
    QVERIFY(waitFor([&] { return !shown.isEmpty(); }));
    QCOMPARE(ui(x.window).otherHeading->text(),
             QStringLiteral("\\SETUP.EXE of \"Games 1 (Games.cdc)\""));
    QCOMPARE(groupLines(x.window->otherPlacesModel(), 0),
             (QStringList{"Games 2 - \\SETUP.EXE (Games.cdc)",
                          "Games 1 - \\SETUP.EXE (Shelf 2.cdc)"}));
    QCOMPARE(groupLines(x.window->otherPlacesModel(), 1),
             QStringList{"Other - \\X\\SETUP.EXE (Shelf 2.cdc)"});

    QSignalSpy duplicates(x.window.get(), &DiscsWindow::duplicatesShown);
    x.window->showDuplicates(DiscDuplicates::Key::Path);
    QVERIFY(waitFor([&] { return !duplicates.isEmpty(); }));
    const QStringList tree = render(x.window->duplicatesModel());
    const qsizetype setup = tree.indexOf(QStringLiteral("\\SETUP.EXE 3"));
    QVERIFY2(setup >= 0, qPrintable(tree.join(u'\n')));
    QCOMPARE(tree.mid(setup + 1, 3),
             (QStringList{"  Games 1 (Games.cdc)", "  Games 2 (Games.cdc)",
                          "  Games 1 (Shelf 2.cdc)"}));
}

// The filter looks at a disc's name with its catalog's.
void TestUiDiscsWindowCatalogs::filterFindsACatalog()
{
    ShelfFixture x;
    x.write(QStringLiteral("Shelf 2.cdc"), {"Games 1 - \\A", "Music - \\B"});
    QVERIFY(x.ready());
    QVERIFY(x.add({QStringLiteral("Shelf 2.cdc")}));
    ui(x.window).filterBox->setText(QStringLiteral("shelf 2"));
    QCOMPARE(catalogRows(*x.window), (QStringList{"Games 1|Shelf 2.cdc=1", "Music|Shelf 2.cdc=1"}));
    QCOMPARE(ui(x.window).totalsLabel->text(),
             QStringLiteral("2 catalogs, 2 of 6 disc(s), 2 of 17 file(s)"));
}

// The menu of "&Add Catalogs": several files in an open dialog with the
// catalog filter, or a folder; a cancelled dialog adds nothing.
void TestUiDiscsWindowCatalogs::asksForFilesAndFolders_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("catalogs");

    QTest::newRow("files") << false << false << 3;
    QTest::newRow("files, cancelled") << false << true << 1;
    QTest::newRow("folder") << true << false << 4; // the one shown is left out
    QTest::newRow("folder, cancelled") << true << true << 1;
}

void TestUiDiscsWindowCatalogs::asksForFilesAndFolders()
{
    QFETCH(bool, folder);
    QFETCH(bool, cancel);
    QFETCH(int, catalogs);

    ShelfFixture x;
    x.write(QStringLiteral("a.cdc"), {"A - \\1"});
    x.write(QStringLiteral("b.cdc"), {"B - \\1"});
    x.write(QStringLiteral("sub/c.cdc"), {"C - \\1"});
    QVERIFY(x.ready());
    QStringList texts;
    for (const QAction *action : ui(x.window).addButton->menu()->actions())
        texts << action->text();
    QCOMPARE(texts, (QStringList{"Catalog &Files...", "All Catalogs in a F&older..."}));
    if (cancel)
        x.dialogs.cancel();
    else if (folder)
        x.dialogs.answer(x.dir.path());
    else
        x.dialogs.answerSeveral({x.path(QStringLiteral("a.cdc")), x.path(QStringLiteral("b.cdc"))});
    QSignalSpy added(x.window.get(), &DiscsWindow::catalogsAdded);
    (folder ? ui(x.window).addFolderAction : ui(x.window).addFilesAction)->trigger();
    if (!cancel)
        QVERIFY(waitFor([&] { return !added.isEmpty() && !x.window->isWorking(); }));
    QCOMPARE(x.dialogs.requests.size(), std::size_t(1));
    const FileDialogRequest &request = x.dialogs.requests.front();
    QCOMPARE(request.mode, folder ? FileDialogMode::Folder : FileDialogMode::OpenSeveral);
    if (!folder)
        QCOMPARE(request.filter, QStringLiteral("CD Catalog Files (*.cdc)|*.cdc"));
    QCOMPARE(x.dialogs.unexpected, 0);
    QCOMPARE(qsizetype(x.window->catalogs().size()), catalogs);
    QVERIFY(x.messages.shown.empty());
}

// The whole way from the main window: the catalog loaded, the Discs window
// opened from the menu, a second catalog added through the file dialog;
// closing it leaves the main window as it was, its caption, lines and
// Find included.
void TestUiDiscsWindowCatalogs::fromTheMainWindow()
{
    QTemporaryDir dir;
    writeFile(dir.path(), QStringLiteral("Games.cdc"), catalogBytes(sampleCatalog()));
    writeFile(dir.path(), QStringLiteral("Полка 2.cdc"),
              catalogBytes({"Games 1 - \\SETUP.EXE", "Диск - \\Ёлка.mp3"}));
    Form1Harness w(WorkMode::SearchCatalog);
    Form1 &f = *w.form;
    w.io.dialogs.answer(dir.filePath(QStringLiteral("Games.cdc")));
    f.mnuLoad->trigger();
    const LineStore &lines = f.session().catalog().lines();
    QVERIFY(waitFor([&] { return lines.count() == sampleCatalog().size(); }));
    const QString caption = f.windowTitle();
    const QString path = f.session().catalog().path();
    f.show();
    f.discsAction->trigger();
    DiscsWindow *window = f.discsWindow();
    QVERIFY(window);
    QVERIFY(waitFor([&] { return window->isReady(); }));
    w.io.dialogs.answerSeveral({dir.filePath(QStringLiteral("Полка 2.cdc"))});
    QSignalSpy added(window, &DiscsWindow::catalogsAdded);
    ui(window).addFilesAction->trigger();
    QVERIFY(waitFor([&] { return !added.isEmpty() && !window->isWorking(); }));
    QCOMPARE(window->windowTitle(), QStringLiteral("Discs - 2 catalogs"));
    QCOMPARE(ui(window).totalsLabel->text(), QStringLiteral("2 catalogs, 6 disc(s), 17 file(s)"));
    QVERIFY(w.io.messages.shown.empty());
    window->close();
    QVERIFY(waitFor([&] { return !f.discsWindow(); }));

    QCOMPARE(f.windowTitle(), caption);
    QCOMPARE(f.session().catalog().path(), path);
    QCOMPARE(f.session().catalog().lines().count(), sampleCatalog().size());
    for (qsizetype i = 0; i < f.session().catalog().lines().count(); ++i)
        QCOMPARE(f.session().catalog().lines().at(i), sampleCatalog().at(i));
    QCOMPARE(f.session().catalog().discs().count(), 4);
    // Opened again, the window shows the main window's catalog alone.
    f.discsAction->trigger();
    QVERIFY(f.discsWindow());
    QVERIFY(waitFor([&] { return f.discsWindow()->isReady(); }));
    QCOMPARE(f.discsWindow()->windowTitle(), QStringLiteral("Discs - Games.cdc"));
    QCOMPARE(f.discsWindow()->catalogs().size(), std::size_t(1));
    f.discsWindow()->close();
}

void TestUiDiscsWindowCatalogs::exportsNameTheCatalogs_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected"); // lines of the export
    QTest::newRow("CSV: the disc's catalog in a column of its own; loose lines keep no disc")
        << "all.csv"
        << QStringList{"Disc,Folder,File,Catalog\r\n", "\nGames 1,\\,SETUP.EXE,Games.cdc\r\n",
                       "\nGames 1,\\,SETUP.EXE,Shelf 2.cdc\r\n",
                       "\nДиск 1,\\Музыка\\,Ёлка.mp3,Shelf 2.cdc\r\n", "\n,,hand note,Shelf 2.cdc\r\n"};
    QTest::newRow("HTML: the disc's name as heading, its catalog on a line below")
        << "all.html"
        << QStringList{"<h2>Games 1</h2>\n<p class=\"c\">Catalog: Games.cdc</p>",
                       "<h2>Games 1</h2>\n<p class=\"c\">Catalog: Shelf 2.cdc</p>",
                       "<h2>Lines without a disc name</h2>\n<p class=\"c\">Catalog: Shelf 2.cdc</p>"};
    QTest::newRow("PDF: the disc's name as heading, its catalog on a line below")
        << "all.pdf"
        << QStringList{"Games 1 (7 files)\nCatalog: Games.cdc\n",
                       "Games 1 (1 files)\nCatalog: Shelf 2.cdc\n",
                       "Lines without a disc name (1 files)\nCatalog: Shelf 2.cdc\n"};
}

// An export of several catalogs tells apart the discs of the same name in
// different catalogs, as the window does.
void TestUiDiscsWindowCatalogs::exportsNameTheCatalogs()
{
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    ShelfFixture x;
    x.write(QStringLiteral("Shelf 2.cdc"),
            {"Games 1 - \\SETUP.EXE", "Диск 1 - \\Музыка\\Ёлка.mp3", "hand note"});
    QVERIFY(x.ready());
    QVERIFY(x.add({QStringLiteral("Shelf 2.cdc")}));
    x.dialogs.answer(x.path(file));
    QSignalSpy finished(ui(x.window).output, &DiscsWindowOutput::exportFinished);
    ui(x.window).output->exportScope(DiscsWindowOutput::Scope::WholeCatalog);
    QVERIFY(waitFor([&] { return !finished.isEmpty(); }));
    QCOMPARE(finished.first().first().value<ExportResult>(), ExportResult::Written);
    QString text;
    if (file.endsWith(QLatin1String(".pdf"))) {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is missing (poppler-utils; scripts/install-deps)");
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-enc"), QStringLiteral("UTF-8"), x.path(file), QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished(60000));
        text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    } else {
        QFile exported(x.path(file));
        QVERIFY(exported.open(QIODevice::ReadOnly));
        text = QString::fromUtf8(exported.readAll());
    }
    for (const QString &line : expected)
        QVERIFY2(text.contains(line), qPrintable(line));
    // The disc names stay as the catalogs hold them.
    QVERIFY(!text.contains(QStringLiteral("Games 1 (Games.cdc)")));
    QVERIFY(!text.contains(QStringLiteral("Диск 1 (Shelf 2.cdc)")));
}

// Adding catalogs replaces the lines that an export or a printed page
// reads: neither starts while catalogs are added, and no catalog is added
// while an export runs.
void TestUiDiscsWindowCatalogs::exportAndAddingWaitForEachOther()
{
    ShelfFixture x;
    x.write(QStringLiteral("Shelf 2.cdc"), {"Games 1 - \\SETUP.EXE"});
    x.write(QStringLiteral("Shelf 3.cdc"), {"Диск 1 - \\Ёлка.mp3"});
    QVERIFY(x.ready());

    // Adding under way: no export dialog, no preview.
    QSignalSpy added(x.window.get(), &DiscsWindow::catalogsAdded);
    x.window->addCatalogs({x.path(QStringLiteral("Shelf 2.cdc"))});
    QVERIFY(x.window->isAddingCatalogs());
    ui(x.window).output->exportScope(DiscsWindowOutput::Scope::WholeCatalog);
    ui(x.window).output->print(ListingPaper::A4);
    QVERIFY(x.dialogs.requests.empty());
    QVERIFY(x.printPreview.files.isEmpty());
    ui(x.window).output->updateActions();
    QVERIFY(!out(ui(x.window).output).exportWhole->isEnabled());
    QVERIFY(!out(ui(x.window).output).printA4->isEnabled());
    QVERIFY(waitFor([&] { return !added.isEmpty() && x.window->isReady(); }));
    QCOMPARE(x.window->catalogs().size(), std::size_t(2));

    // An export under way: the catalog asked for is not added; afterwards it is.
    x.dialogs.answer(x.path(QStringLiteral("all.csv")));
    QSignalSpy finished(ui(x.window).output, &DiscsWindowOutput::exportFinished);
    ui(x.window).output->exportScope(DiscsWindowOutput::Scope::WholeCatalog);
    QVERIFY(ui(x.window).output->isExporting());
    QVERIFY(!ui(x.window).addButton->isEnabled());
    x.window->addCatalogs({x.path(QStringLiteral("Shelf 3.cdc"))});
    QVERIFY(!x.window->isAddingCatalogs());
    QVERIFY(waitFor([&] { return !finished.isEmpty(); }));
    QCOMPARE(finished.first().first().value<ExportResult>(), ExportResult::Written);
    QCOMPARE(x.window->catalogs().size(), std::size_t(2));
    QVERIFY(ui(x.window).addButton->isEnabled());
    QVERIFY(x.add({QStringLiteral("Shelf 3.cdc")}));
    QCOMPARE(x.window->catalogs().size(), std::size_t(3));
}

QTEST_MAIN(TestUiDiscsWindowCatalogs)
#include "tst_ui_discswindow_catalogs.moc"
