// Keyboard and screen-reader access: menu mnemonics that lead to one item
// each, a name for every control that takes the focus, and prompts tied to
// the boxes they name.

#include "AllWindows.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

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
