// Keyboard and screen-reader access: menu mnemonics that lead to one item
// each, a name for every control that takes the focus, and prompts tied to
// the boxes they name.

#include "AllWindows.h"

#include "ui/discs/DiscsWindowOutput.h"
#include "ui/common/LineListView.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// The menu bar and every menu below it, each with the actions it lists.
void collectMenus(const QString &title, const QList<QAction *> &actions,
                  QList<std::pair<QString, QList<QAction *>>> &menus)
{
    menus.append({title, actions});
    for (QAction *action : actions) {
        if (action->menu())
            collectMenus(action->text(), action->menu()->actions(), menus);
    }
}

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

QString describe(const QWidget *widget)
{
    return widget->objectName().isEmpty()
        ? QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ')
            + widget->parentWidget()->objectName()
        : widget->objectName();
}

} // namespace

class TestUiAccess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menuCaptionsAsDesigned()
    {
        Form1Harness w;
        const QList<std::pair<const char *, const char *>> designed{
            {"mnuFile", "&File"},       {"mnuLoad", "&Load..."},
            {"mnuFind", "&Find"},       {"mnuRestart", "&Restart"},
            {"mnuExit", "&Exit"},       {"mnuHelp", "&Help"},
            {"mnuDonate", "&Donate to Kobrix"}, {"mnuAbout", "&About Kobrix..."}};
        for (const auto &[name, caption] : designed) {
            const QAction *item = w.form->findChild<QAction *>(QLatin1String(name));
            QVERIFY2(item, name);
            QCOMPARE(item->text(), QLatin1String(caption));
        }
    }

    // Within one menu (and along the menu bar) every item with a mnemonic
    // has a letter of its own, so Alt+letter or the letter always reaches
    // the item named.
    void mnemonicsUniquePerMenu_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("NewCatalog") << int(WorkMode::NewCatalog);
        QTest::newRow("SearchCatalog") << int(WorkMode::SearchCatalog);
        QTest::newRow("AddDisc") << int(WorkMode::AddDisc);
    }
    void mnemonicsUniquePerMenu()
    {
        QFETCH(int, mode);
        Form1Harness w{WorkMode(mode)};
        QList<std::pair<QString, QList<QAction *>>> menus;
        collectMenus(QStringLiteral("menu bar"), w.form->menuBar()->actions(), menus);
        QVERIFY(menus.size() >= 3); // the bar, "&File" and "&Help"
        for (const auto &[title, actions] : menus) {
            QHash<QKeySequence, QString> taken;
            for (const QAction *action : actions) {
                if (action->isSeparator())
                    continue;
                const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
                if (mnemonic.isEmpty())
                    continue;
                QVERIFY2(!taken.contains(mnemonic),
                         qPrintable(title + ": " + taken.value(mnemonic) + " and "
                                    + action->text() + " share "
                                    + mnemonic.toString(QKeySequence::NativeText)));
                taken.insert(mnemonic, action->text());
            }
        }
    }

    // No two commands of the main window, in its menus (submenus such as
    // "Open Recent" included) or as window shortcuts, share a key.
    void shortcutsUniqueInMainWindow_data() { mnemonicsUniquePerMenu_data(); }
    void shortcutsUniqueInMainWindow()
    {
        QFETCH(int, mode);
        Form1Harness w{WorkMode(mode)};
        QHash<QKeySequence, QString> taken;
        const auto take = [&](const QKeySequence &key, const QString &what) {
            if (key.isEmpty())
                return true;
            if (taken.contains(key)) {
                qWarning("%s and %s share %s", qPrintable(taken.value(key)), qPrintable(what),
                         qPrintable(key.toString(QKeySequence::PortableText)));
                return false;
            }
            taken.insert(key, what);
            return true;
        };
        QList<std::pair<QString, QList<QAction *>>> menus;
        collectMenus(QStringLiteral("menu bar"), w.form->menuBar()->actions(), menus);
        QVERIFY(std::any_of(menus.begin(), menus.end(), [](const auto &menu) {
            return menu.first == QLatin1String("Open Re&cent");
        }));
        QSet<const QAction *> seen;
        for (const auto &[title, actions] : menus) {
            for (const QAction *action : actions) {
                if (seen.contains(action))
                    continue;
                seen.insert(action);
                for (const QKeySequence &key : action->shortcuts())
                    QVERIFY(take(key, title + u'>' + action->text()));
            }
        }
        for (const QAction *action : w.form->findChildren<QAction *>()) {
            if (!seen.contains(action) && !action->menu())
                for (const QKeySequence &key : action->shortcuts())
                    QVERIFY(take(key, action->objectName() + u' ' + action->text()));
        }
        for (const QShortcut *shortcut : w.form->findChildren<QShortcut *>())
            QVERIFY(take(shortcut->key(), QStringLiteral("shortcut ") + shortcut->objectName()));
    }

    // Within each menu of a dialog window (tst_ui_discswindow checks the
    // window's own controls) every item has a letter of its own.
    void mnemonicsUniquePerDialogMenu()
    {
        AllWindows all;
        std::unique_ptr<QWidget> form = all.make(QStringLiteral("DiscsWindow"));
        QVERIFY(form);
        QList<std::pair<QString, QStringList>> groups;
        for (const QMenu *menu : form->findChildren<QMenu *>()) {
            QStringList items;
            for (const QAction *action : menu->actions())
                items << action->text();
            groups.append({menu->objectName(), items});
        }
        QVERIFY(groups.size() >= 2); // "Export..." and "Print..."
        for (const auto &[group, texts] : groups) {
            QHash<QKeySequence, QString> taken;
            for (const QString &text : texts) {
                const QKeySequence mnemonic = QKeySequence::mnemonic(text);
                if (mnemonic.isEmpty())
                    continue;
                QVERIFY2(!taken.contains(mnemonic),
                         qPrintable(group + ": " + taken.value(mnemonic) + " and " + text));
                taken.insert(mnemonic, text);
            }
        }
    }

    // Every control that can take the focus, shown or hidden, tells a
    // screen reader what it is.
    void focusableControlsNamed_data()
    {
        QTest::addColumn<QString>("window");
        for (const QString &name : AllWindows::names())
            QTest::newRow(qPrintable(name)) << name;
    }
    void focusableControlsNamed()
    {
        QFETCH(QString, window);
        AllWindows all;
        std::unique_ptr<QWidget> form = all.make(window);
        QVERIFY(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        int checked = 0;
        QStringList unnamed;
        for (QWidget *control : form->findChildren<QWidget *>()) {
            if (control->focusPolicy() == Qt::NoFocus)
                continue;
            ++checked;
            if (accessibleName(control).trimmed().isEmpty())
                unnamed << describe(control);
        }
        QVERIFY(checked > 0);
        QVERIFY2(unnamed.isEmpty(), qPrintable("without a name: " + unnamed.join(", ")));
    }

    // Each prompt is the buddy of the box it names: a screen reader reads the
    // prompt as the box's name, and the prompt shows its caption unchanged.
    void promptsNameTheirBoxes_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("name"); // the caption without its mnemonic
        QTest::newRow("Disk Name") << "Form1 NewCatalog" << "Label2" << "Text2" << "Disk Name"
                                   << "Disk Name";
        QTest::newRow("new catalog name") << "Form2" << "Label1" << "Text1"
                                          << "Type a name for your new Catalog"
                                          << "Type a name for your new Catalog";
        QTest::newRow("search text") << "Form3" << "Label1" << "Text1" << "Find what?"
                                     << "Find what?";
        QTest::newRow("disc filter") << "DiscsWindow" << "filterLabel" << "filterBox"
                                     << "Fi&lter:" << "Filter:";
        QTest::newRow("disc list") << "DiscsWindow" << "discsLabel" << "discList" << "&Discs"
                                   << "Discs";
        QTest::newRow("discs' search text") << "DiscsWindow" << "searchLabel" << "searchBox"
                                            << "Find &what:" << "Find what:";
    }
    // A screen reader reads every line list as a list of its rows, and hears
    // the row the keys are on: the main window's listing, the search
    // results, the lists of the update.
    void lineListsReadTheirRows_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("lists"); // line lists with rows
        QTest::newRow("main window") << "Form1 NewCatalog" << 1;
        QTest::newRow("search results") << "Form3 with results" << 1;
        QTest::newRow("update's changes") << "DiscUpdateDialog" << 2;
    }
    void lineListsReadTheirRows()
    {
        QFETCH(QString, window);
        QFETCH(int, lists);
        AllWindows all;
        std::unique_ptr<QWidget> form = all.make(window);
        QVERIFY(form);
        if (auto *main = qobject_cast<Form1 *>(form.get())) {
            for (const char *line : {"\\SETUP.EXE", "\\DATA\\LEVEL1.DAT", "\\Ça va.mp3"})
                main->session().catalog().lines().append(QString::fromUtf8(line));
            main->refreshList2();
        }
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        int withRows = 0;
        for (LineListView *list : form->findChildren<LineListView *>()) {
            const int rows = list->model()->rowCount();
            if (!list->isVisible() || rows == 0)
                continue;
            ++withRows;
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(list);
            QVERIFY(face);
            QCOMPARE(face->role(), QAccessible::List);
            QCOMPARE(face->text(QAccessible::Name), list->accessibleName());
            QCOMPARE(face->childCount(), rows);
            const auto text = [list](int row) {
                return list->model()->index(row, 0).data().toString();
            };
            for (int row : {0, rows / 2, rows - 1}) {
                QAccessibleInterface *item = face->child(row);
                QVERIFY(item);
                QCOMPARE(item->role(), QAccessible::ListItem);
                QCOMPARE(item->text(QAccessible::Name), text(row));
                QCOMPARE(item->parent(), face);
                QCOMPARE(face->indexOfChild(item), row);
            }
            list->setFocus();
            list->setCurrentIndex(list->model()->index(rows - 1, 0));
            QTRY_VERIFY(list->hasFocus());
            QAccessibleInterface *focused = face->focusChild();
            QVERIFY(focused);
            QCOMPARE(focused->text(QAccessible::Name), text(rows - 1));
            QVERIFY(focused->state().focused);
        }
        QCOMPARE(withRows, lists);
    }

    // The file dialogs of the added commands say what they are for; those
    // of the designed commands keep the dialog's own title. Rows are named
    // by the command.
    void fileDialogTitles_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("Scan Folder...") << "Scan Folder";
        QTest::newRow("Scan Disc Image...") << "Scan Disc Image";
        QTest::newRow("Update Disc in Catalog...") << "Update Disc in Catalog";
        QTest::newRow("Catalog Files...") << "Add Catalogs";
        QTest::newRow("All Catalogs in a Folder...") << "Add All Catalogs in a Folder";
        QTest::newRow("Export, Whole Catalog...") << "Export Whole Catalog";
        QTest::newRow("Export, Search Results...") << "Export Search Results";
        QTest::newRow("designed: Load...") << "";
        QTest::newRow("designed: Write Catalog...") << "";
        QTest::newRow("designed: Add to Catalog...") << "";
    }
    void fileDialogTitles()
    {
        QFETCH(QString, title);
        ScriptedServices io;
        io.dialogs.cancel();
        Form1 form(io.services(), WorkMode::NewCatalog);
        form.session().catalog().lines().append(QStringLiteral("\\SETUP.EXE"));
        form.refreshList2();
        form.Text2->setText(QStringLiteral("Games 1"));
        Catalog catalog;
        catalog.lines().append(QStringLiteral("Games 1 - \\SETUP.EXE"));
        catalog.lines().append(QStringLiteral("Games 2 - \\SETUP.EXE"));
        catalog.setContent(Catalog::Content::CatalogLines);
        DiscsWindow discs(io.services());
        discs.showCatalog(catalog, QStringLiteral("Games.cdc"));
        QVERIFY(QTest::qWaitFor([&] { return discs.isReady(); }, 10000));
        ui(discs).searchBox->setText(QStringLiteral("setup"));
        discs.find();
        QVERIFY(QTest::qWaitFor([&] { return !discs.isWorking(); }, 10000));
        const std::map<QString, std::function<void()>> commands{
            {"Scan Folder...", [&] { form.scanFolderAction->trigger(); }},
            {"Scan Disc Image...", [&] { form.scanImageAction->trigger(); }},
            {"Update Disc in Catalog...", [&] { form.updateDiscInCatalog(); }},
            {"Catalog Files...", [&] { ui(discs).addFilesAction->trigger(); }},
            {"All Catalogs in a Folder...", [&] { ui(discs).addFolderAction->trigger(); }},
            {"Export, Whole Catalog...", [&] { out(ui(discs).output).exportWhole->trigger(); }},
            {"Export, Search Results...", [&] { out(ui(discs).output).exportResults->trigger(); }},
            {"designed: Load...", [&] { form.loadCatalog(); }},
            {"designed: Write Catalog...", [&] { form.WriteList(); }},
            {"designed: Add to Catalog...", [&] { form.AppendList(); }},
        };
        commands.at(QString::fromLatin1(QTest::currentDataTag()))();
        QCOMPARE(io.dialogs.requests.size(), std::size_t(1));
        QCOMPARE(io.dialogs.last()->title, title);
    }

    // Qt's dialog shows the title asked for, and its own without one.
    void qtDialogShowsTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("shown");
        QTest::newRow("folder") << "Scan Folder" << int(FileDialogMode::Folder) << "Scan Folder";
        QTest::newRow("save")
            << "Export Whole Catalog" << int(FileDialogMode::Save) << "Export Whole Catalog";
        QTest::newRow("save, no title") << "" << int(FileDialogMode::Save) << "Save As";
    }
    void qtDialogShowsTitle()
    {
        QFETCH(QString, title);
        QFETCH(int, mode);
        QFETCH(QString, shown);
        FileDialogRequest request;
        request.mode = FileDialogMode(mode);
        request.title = title;
        QString seen;
        QTimer::singleShot(0, [&] {
            if (QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000)) {
                seen = QApplication::activeModalWidget()->windowTitle();
                QApplication::activeModalWidget()->close();
            }
        });
        QVERIFY(!QtFileDialogBackend().run(nullptr, request));
        QCOMPARE(seen, shown);
    }
    void promptsNameTheirBoxes()
    {
        QFETCH(QString, window);
        QFETCH(QString, label);
        QFETCH(QString, box);
        QFETCH(QString, caption);
        QFETCH(QString, name);
        AllWindows all;
        std::unique_ptr<QWidget> form = all.make(window);
        auto *prompt = form->findChild<QLabel *>(label);
        auto *edit = form->findChild<QWidget *>(box);
        QVERIFY(prompt && edit);
        QCOMPARE(prompt->buddy(), edit);
        QCOMPARE(prompt->text(), caption);
        QCOMPARE(accessibleName(edit), name);
    }
};

QTEST_MAIN(TestUiAccess)
#include "tst_ui_access.moc"
