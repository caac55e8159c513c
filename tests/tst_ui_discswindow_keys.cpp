// The Discs window driven by keys and clicks: exports from the "Export..."
// menu, page mnemonics, and what the export and print dialogs propose.

#include "DiscsWindowTestSupport.h"

#include "core/ProgramTexts.h"
#include "ui/discs/DiscsWindowOutput.h"

#include <QFileInfo>
#include <QProcess>
#include <QPushButton>

using namespace kobrix;
using namespace kobrix::test;

namespace {

using Scope = DiscsWindowOutput::Scope;

const QStringList kGames{QStringLiteral("Games 1 - \\SETUP.EXE"),
                         QStringLiteral("Games 2 - \\DATA\\X.DAT")};

// A Discs window over Games.cdc in a folder of its own, and, when named, a
// second catalog (one disc, Photos) beside it that open() adds.
struct Keys
{
    explicit Keys(const QStringList &games = sampleCatalog(), const QString &second = {})
        : second(second)
    {
        writeFile(folder.path(), QStringLiteral("Games.cdc"), catalogBytes(games));
        if (!second.isEmpty())
            writeFile(folder.path(), second, catalogBytes({QStringLiteral("Photos - \\IMG.JPG")}));
    }
    bool open()
    {
        window.readCatalogFile(path(QStringLiteral("Games.cdc")));
        if (!waitFor([this] { return window.isReady(); }) || second.isEmpty())
            return window.isReady();
        QSignalSpy added(&window, &DiscsWindow::catalogsAdded);
        window.addCatalogs({path(second)});
        return added.wait(10000) && waitFor([this] { return window.isReady() && !window.isWorking(); })
            && window.catalogs().size() == 2;
    }
    // Opens, shows the window and gives it the keyboard.
    bool activate()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window) && open();
    }
    bool exportedWhole()
    {
        QSignalSpy finished(ui(window).output, &DiscsWindowOutput::exportFinished);
        output().exportScope(Scope::WholeCatalog);
        return finished.wait(60000)
            && finished.first().first().value<ExportResult>() == ExportResult::Written;
    }
    DiscsWindowOutput &output() { return *ui(window).output; }
    QString path(const QString &name) const { return folder.filePath(name); }

    QString second;
    QTemporaryDir folder;
    ScriptedServices io;
    DiscsWindow window{io.services()};
};

} // namespace

class TestDiscsWindowKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<ExportResult>(); }

    // Opening the "Export..." menu ends in a click of the button after the
    // export has begun, when it reads "Stop Export": that click must not
    // stop the export (a PDF of 30,000 lines outlasts the click's 100 ms).
    void exportFromTheMenuRunsToItsEnd_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Alt+E, W") << "mnemonic";
        QTest::newRow("a click on Export..., W") << "click";
        QTest::newRow("Tab to Export..., Space, W") << "space";
    }
    void exportFromTheMenuRunsToItsEnd()
    {
        QFETCH(QString, how);
        QStringList lines;
        for (int i = 0; i < 30000; ++i)
            lines << QStringLiteral("Disc %1 - \\DATA\\SUB%2\\FILE%3.DAT").arg(i / 20000).arg(i / 50).arg(i);
        Keys f(lines);
        QVERIFY(f.activate());
        const QString path = f.path(QStringLiteral("big.pdf"));
        f.io.dialogs.answer(path);
        QSignalSpy finished(ui(f.window).output, &DiscsWindowOutput::exportFinished);
        auto *menu = out(f.output()).exportButton->findChild<QMenu *>(QStringLiteral("exportMenu"));
        QVERIFY(menu);
        // W chooses "Whole Catalog..." once the menu is open.
        connect(menu, &QMenu::aboutToShow, menu,
                [menu] { QTimer::singleShot(0, menu, [menu] { QTest::keyClick(menu, Qt::Key_W); }); });
        if (how == QLatin1String("mnemonic")) {
            QTest::keyClick(&f.window, Qt::Key_E, Qt::AltModifier);
        } else if (how == QLatin1String("click")) {
            QTest::mouseClick(out(f.output()).exportButton, Qt::LeftButton);
        } else {
            out(f.output()).exportButton->setFocus();
            QTest::keyClick(out(f.output()).exportButton, Qt::Key_Space);
        }
        QTRY_VERIFY(f.output().isExporting() || !finished.isEmpty());
        QVERIFY(finished.wait(120000) || !finished.isEmpty());
        QCOMPARE(f.io.dialogs.requests.size(), std::size_t(1));
        QCOMPARE(finished.first().first().value<ExportResult>(), ExportResult::Written);
        QVERIFY2(out(f.output()).status->text().startsWith(QLatin1String("Exported")),
                 qPrintable(out(f.output()).status->text()));
        QVERIFY(QFileInfo(path).size() > 30000);
    }

    // A page chosen by its mnemonic takes the focus into its first field,
    // wherever the focus was and whichever page was shown.
    void pageMnemonicFocusesThePage_data()
    {
        QTest::addColumn<int>("startPage");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::newRow("Alt+S from the folders") << 0 << int(Qt::Key_S) << 1 << "searchBox";
        QTest::newRow("Alt+O from the search") << 1 << int(Qt::Key_O) << 0 << "folderTree";
        QTest::newRow("Alt+O, the page shown already") << 0 << int(Qt::Key_O) << 0 << "folderTree";
        QTest::newRow("Alt+T") << 0 << int(Qt::Key_T) << 2 << "otherDiscsView";
        QTest::newRow("Alt+V") << 1 << int(Qt::Key_V) << 3 << "byPathButton";
    }
    void pageMnemonicFocusesThePage()
    {
        QFETCH(int, startPage);
        QFETCH(int, key);
        QFETCH(int, page);
        QFETCH(QString, field);
        Keys f;
        QVERIFY(f.activate());
        ui(f.window).views->setCurrentIndex(startPage);
        ui(f.window).filterBox->setFocus();
        QTRY_COMPARE(focused(), ui(f.window).filterBox);
        QTest::keyClick(&f.window, Qt::Key(key), Qt::AltModifier);
        QCOMPARE(ui(f.window).views->currentIndex(), page);
        QTRY_COMPARE(focused() ? focused()->objectName() : QString(), field);
        // What is typed next goes there, not into the filter.
        QTest::keyClicks(focused(), QStringLiteral("x"));
        QCOMPARE(ui(f.window).filterBox->text(), QString());
        QCOMPARE(f.window.discListModel()->rowCount(), 4);
    }

    // The export dialog proposes the folder the last export went to, also
    // in a Discs window opened later.
    void exportRemembersTheFolder()
    {
        QTemporaryDir first;
        QTemporaryDir second;
        for (const QTemporaryDir *folder : {&first, &second}) {
            Keys f;
            QVERIFY(f.open());
            f.io.dialogs.answer(folder->filePath(QStringLiteral("out.csv")));
            QVERIFY(f.exportedWhole());
            Keys next;
            QVERIFY(next.open());
            next.io.dialogs.cancel();
            next.output().exportScope(Scope::WholeCatalog);
            QCOMPARE(next.io.dialogs.last()->fileName,
                     QDir::toNativeSeparators(folder->filePath(QStringLiteral("Games.csv"))));
        }
    }

    // An export never replaces a catalog the window read, under its own
    // name or another: the message says why and the catalog stays.
    void exportOntoACatalogRefused_data()
    {
        QTest::addColumn<QString>("target"); // how the file chosen reaches a catalog
        QTest::newRow("a symbolic link to the first catalog") << "symlink";
#ifdef Q_OS_UNIX
        QTest::newRow("a hard link to the added catalog") << "hardlink";
#endif
        QTest::newRow("the added catalog, named .csv") << "itself";
        QTest::newRow("another file: exported") << "other";
    }
    void exportOntoACatalogRefused()
    {
        QFETCH(QString, target);
        Keys x(kGames, target == QLatin1String("itself") ? QStringLiteral("Photos.csv")
                                                         : QStringLiteral("Photos.cdc"));
        const QString games = x.path(QStringLiteral("Games.cdc"));
        const QString photos = x.path(x.second);
        QString chosen = x.path(QStringLiteral("out.csv"));
        if (target == QLatin1String("symlink")) {
            QVERIFY(QFile::link(games, chosen));
        } else if (target == QLatin1String("hardlink")) {
            chosen = x.path(QStringLiteral("out.html"));
            // By ln: this file makes no system calls of its own.
            QCOMPARE(QProcess::execute(QStringLiteral("ln"), {photos, chosen}), 0);
        } else if (target == QLatin1String("itself")) {
            chosen = photos;
        }
        QVERIFY(x.open());
        const QByteArray gamesBefore = readFile(games);
        const QByteArray photosBefore = readFile(photos);
        x.io.dialogs.answer(QDir::toNativeSeparators(chosen));
        if (target == QLatin1String("other")) {
            QVERIFY(x.exportedWhole());
            QVERIFY(x.io.messages.shown.empty());
        } else {
            x.output().exportScope(Scope::WholeCatalog);
            QVERIFY(!x.output().isExporting());
            QCOMPARE(x.io.messages.texts(),
                     QStringList{ProgramTexts::exportOntoCatalog(QDir::toNativeSeparators(chosen))});
            QCOMPARE(x.io.messages.last()->icon, MessageIcon::Exclamation);
        }
        QCOMPARE(readFile(games), gamesBefore);
        QCOMPARE(readFile(photos), photosBefore);
    }

    // "Print to File" proposes one name for the document, whatever is printed.
    void printedDocumentHasOneName_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("document");
        QTest::newRow("discs of two catalogs") << QList<int>{0, 2} << "Discs of 2 catalogs";
        QTest::newRow("one disc") << QList<int>{2} << "Photos";
    }
    void printedDocumentHasOneName()
    {
        QFETCH(QList<int>, rows);
        QFETCH(QString, document);
        Keys x(kGames, QStringLiteral("Photos.cdc"));
        x.io.printPreview.outputFolder = x.folder.path();
        QVERIFY(x.open());
        QCOMPARE(x.window.discListModel()->rowCount(), 3);
        QItemSelection chosen;
        for (const int row : rows) {
            const QModelIndex disc = x.window.discListModel()->index(row, 0);
            chosen.select(disc, disc);
        }
        ui(x.window).discList->selectionModel()->select(
            chosen, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        out(x.output()).printA4->trigger();
        QCOMPARE(x.io.printPreview.documentNames, QStringList{document});
        QVERIFY(x.io.messages.shown.empty());
    }
};

QTEST_MAIN(TestDiscsWindowKeys)
#include "tst_ui_discswindow_keys.moc"
