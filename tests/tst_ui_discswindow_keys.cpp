// The Discs window driven by keys and clicks as a user drives it: an export
// started from the "Export..." menu runs to its end, a page chosen by its
// mnemonic takes the focus, and the export dialog says what it is for and
// where the last export went.

#include "DiscsWindowTestSupport.h"

#include "core/ProgramTexts.h"
#include "ui/DiscsWindowOutput.h"

#include <QFileInfo>
#include <QProcess>
#include <QPushButton>

using namespace kobrix;
using namespace kobrix::test;

namespace {

using Scope = DiscsWindowOutput::Scope;

// count lines on discs of 20,000 lines each.
QStringList bigCatalog(int count)
{
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("Disc %1 - \\DATA\\SUB%2\\FILE%3.DAT").arg(i / 20000).arg(i / 50).arg(i);
    return lines;
}

// A hard link, made by ln (this file holds no system calls).
bool makeHardLink(const QString &target, const QString &link)
{
    return QProcess::execute(QStringLiteral("ln"), {target, link}) == 0;
}

// A Discs window over two catalog files read from a folder: Games.cdc and
// the second (Photos.cdc) added beside it.
struct TwoCatalogs
{
    explicit TwoCatalogs(const QString &second = QStringLiteral("Photos.cdc")) : second(second)
    {
        writeFile(folder.path(), QStringLiteral("Games.cdc"),
                  catalogBytes({"Games 1 - \\SETUP.EXE", "Games 2 - \\DATA\\X.DAT"}));
        writeFile(folder.path(), second, catalogBytes({"Photos - \\IMG.JPG"}));
        window = std::make_unique<DiscsWindow>(io.services());
    }
    bool open()
    {
        window->readCatalogFile(path(QStringLiteral("Games.cdc")));
        if (!waitFor([this] { return window->isReady(); }))
            return false;
        QSignalSpy added(window.get(), &DiscsWindow::catalogsAdded);
        window->addCatalogs({path(second)});
        return added.wait(10000) && waitFor([this] { return window->isReady() && !window->isWorking(); })
            && window->catalogs().size() == 2 && window->discListModel()->rowCount() == 3;
    }
    QString path(const QString &name) const { return folder.filePath(name); }
    void selectRows(const QList<int> &rows)
    {
        QItemSelection chosen;
        for (const int row : rows)
            chosen.select(window->discListModel()->index(row, 0),
                          window->discListModel()->index(row, window->discListModel()->columnCount() - 1));
        window->discList->selectionModel()->select(chosen, QItemSelectionModel::ClearAndSelect);
    }

    QString second;
    QTemporaryDir folder;
    ScriptedServices io;
    std::unique_ptr<DiscsWindow> window;
};

struct KeysFixture
{
    explicit KeysFixture(const QStringList &lines = sampleCatalog())
        : shown(lines, io.services(), QStringLiteral("Games.cdc"))
    {}
    DiscsWindowOutput &output() { return *shown.window->output; }
    DiscsWindow &window() { return *shown.window; }
    QString path(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    ScriptedServices io;
    Fixture shown;
};

} // namespace

class TestDiscsWindowKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<ExportResult>(); }

    // The press or key that opens the "Export..." menu ends in a click of
    // the button after the export has begun, when it reads "Stop Export":
    // that click must not stop the export.
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
        // As a PDF document they take a good while longer than the 100 ms
        // of a button's click animation.
        KeysFixture f(bigCatalog(30000));
        QVERIFY(f.shown.activate());
        const QString path = f.path(QStringLiteral("big.pdf"));
        f.io.dialogs.answer(path);
        QSignalSpy finished(f.window().output, &DiscsWindowOutput::exportFinished);
        auto *menu = f.output().exportButton->findChild<QMenu *>(QStringLiteral("exportMenu"));
        QVERIFY(menu);
        // Once the menu is open, W chooses "Whole Catalog...".
        connect(menu, &QMenu::aboutToShow, menu,
                [menu] { QTimer::singleShot(0, menu, [menu] { QTest::keyClick(menu, Qt::Key_W); }); });
        if (how == QLatin1String("mnemonic")) {
            QTest::keyClick(f.shown.window.get(), Qt::Key_E, Qt::AltModifier);
        } else if (how == QLatin1String("click")) {
            QTest::mouseClick(f.output().exportButton, Qt::LeftButton);
        } else {
            f.output().exportButton->setFocus();
            QTest::keyClick(f.output().exportButton, Qt::Key_Space);
        }
        QTRY_VERIFY(f.output().isExporting() || !finished.isEmpty());
        QVERIFY(finished.wait(120000) || !finished.isEmpty());
        QCOMPARE(f.io.dialogs.requests.size(), std::size_t(1));
        QCOMPARE(finished.first().first().value<ExportResult>(), ExportResult::Written);
        QVERIFY2(f.output().status->text().startsWith(QLatin1String("Exported")),
                 qPrintable(f.output().status->text()));
        QVERIFY(QFileInfo(path).size() > 30000);
    }

    // Choosing a page by its mnemonic puts the focus in its first field,
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
        KeysFixture f;
        QVERIFY(f.shown.activate());
        f.window().views->setCurrentIndex(startPage);
        f.window().filterBox->setFocus();
        QTRY_COMPARE(focused(), f.window().filterBox);
        QTest::keyClick(f.shown.window.get(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(f.window().views->currentIndex(), page);
        QTRY_COMPARE(focused() ? focused()->objectName() : QString(), field);
        // What is typed next goes there, not into the filter.
        QTest::keyClicks(focused(), QStringLiteral("x"));
        QCOMPARE(f.window().filterBox->text(), QString());
        QCOMPARE(f.window().discListModel()->rowCount(), 4);
    }

    // The export dialog proposes the folder the last export went to, also
    // in a Discs window opened later.
    void exportRemembersTheFolder()
    {
        QTemporaryDir first;
        QTemporaryDir second;
        for (const QTemporaryDir *folder : {&first, &second}) {
            KeysFixture f;
            QVERIFY(f.shown.ready());
            f.io.dialogs.answer(folder->filePath(QStringLiteral("out.csv")));
            QSignalSpy finished(f.window().output, &DiscsWindowOutput::exportFinished);
            f.output().exportScope(Scope::WholeCatalog);
            QVERIFY(finished.wait(60000));
            QCOMPARE(finished.first().first().value<ExportResult>(), ExportResult::Written);

            KeysFixture next;
            QVERIFY(next.shown.ready());
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
        QTest::addColumn<bool>("refused");
        QTest::newRow("a symbolic link to the first catalog") << "symlink" << true;
#ifdef Q_OS_UNIX
        QTest::newRow("a hard link to the added catalog") << "hardlink" << true;
#endif
        QTest::newRow("the added catalog, named .csv") << "itself" << true;
        QTest::newRow("another file") << "other" << false;
    }
    void exportOntoACatalogRefused()
    {
        QFETCH(QString, target);
        QFETCH(bool, refused);
        TwoCatalogs x(target == QLatin1String("itself") ? QStringLiteral("Photos.csv")
                                                         : QStringLiteral("Photos.cdc"));
        const QString games = x.path(QStringLiteral("Games.cdc"));
        const QString photos = x.path(x.second);
        QString chosen = x.path(QStringLiteral("out.csv"));
        if (target == QLatin1String("symlink")) {
            QVERIFY(QFile::link(games, chosen));
        } else if (target == QLatin1String("hardlink")) {
            chosen = x.path(QStringLiteral("out.html"));
            QVERIFY(makeHardLink(photos, chosen));
        } else if (target == QLatin1String("itself")) {
            chosen = photos;
        }
        QVERIFY(x.open());
        const QByteArray gamesBefore = readFile(games);
        const QByteArray photosBefore = readFile(photos);
        x.io.dialogs.answer(QDir::toNativeSeparators(chosen));
        QSignalSpy finished(x.window->output, &DiscsWindowOutput::exportFinished);
        x.window->output->exportScope(Scope::WholeCatalog);
        if (refused) {
            QVERIFY(!x.window->output->isExporting());
            QCOMPARE(x.io.messages.texts(),
                     QStringList{ProgramTexts::exportOntoCatalog(QDir::toNativeSeparators(chosen))});
            QCOMPARE(x.io.messages.last()->icon, MessageIcon::Exclamation);
        } else {
            QVERIFY(finished.wait(60000));
            QCOMPARE(finished.first().first().value<ExportResult>(), ExportResult::Written);
            QVERIFY(x.io.messages.shown.empty());
        }
        QCOMPARE(readFile(games), gamesBefore);
        QCOMPARE(readFile(photos), photosBefore);
    }

    // "Print to File" proposes the document's name as its file name: one
    // name, whatever is printed.
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
        TwoCatalogs x;
        x.io.printPreview.outputFolder = x.folder.path();
        QVERIFY(x.open());
        x.selectRows(rows);
        x.window->output->printA4->trigger();
        QCOMPARE(x.io.printPreview.documentNames, QStringList{document});
        QVERIFY(x.io.messages.shown.empty());
    }
};

QTEST_MAIN(TestDiscsWindowKeys)
#include "tst_ui_discswindow_keys.moc"
