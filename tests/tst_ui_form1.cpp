// The main window's load step, layout, toolbar and menu dispatch, and
// closing step.

#include "UiTestSupport.h"
#include "ui/common/LineListView.h"
#include "ui/common/Links.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace kobrix;
using namespace kobrix::test;

Q_DECLARE_METATYPE(kobrix::WorkMode)

class TestUiForm1 : public QObject
{
    Q_OBJECT
private slots:
    void startState_data();
    void startState();
    void noCaptionClipped_data();
    void noCaptionClipped();
    void driveButtonScansItsDrive_data();
    void driveButtonScansItsDrive();
    void commands_data();
    void commands();
    void discNameStaysOnOneLine_data();
    void discNameStaysOnOneLine();
};

void TestUiForm1::startState_data()
{
    QTest::addColumn<WorkMode>("mode");
    QTest::addColumn<int>("drives");
    QTest::addColumn<bool>("loadEnabled"); // toolbar "Load" and "&Load..."
    QTest::addColumn<QString>("state");    // "X": each drive button

    const char *newCatalog = "Label2 on|Text2 on|Command3 on shown|Command4 on shown|"
                             "Command2 on hidden|drives";
    const char *search = "Label2 on|Text2 on|Command3 off shown|Command4 off shown|"
                         "Command2 off hidden|drives";
    const char *addDisc = "Label2 on|Text2 on|Command3 off shown|Command4 off shown|"
                          "Command2 on shown|drives";
    for (int drives = 0; drives <= 2; ++drives) {
        const QByteArray n = QByteArray::number(drives) + " drives";
        QTest::newRow("NewCatalog, " + n) << WorkMode::NewCatalog << drives << false
                                          << newCatalog + QString(" on").repeated(drives);
        QTest::newRow("SearchCatalog, " + n) << WorkMode::SearchCatalog << drives << true
                                             << search + QString(" off").repeated(drives);
        QTest::newRow("AddDisc, " + n) << WorkMode::AddDisc << drives << true
                                       << addDisc + QString(" off").repeated(drives);
    }
}

// The settings of the work mode hold with and without optical drives; the
// drive buttons, after the fixed ones in the order listed, are disabled in
// the modes that do not start with a scan.
void TestUiForm1::startState()
{
    QFETCH(WorkMode, mode);
    QFETCH(int, drives);
    QFETCH(bool, loadEnabled);
    QFETCH(QString, state);

    const QStringList cd{QStringLiteral("D:\\"), QStringLiteral("e:\\")};
    Form1Harness w(mode, [&](ScriptedServices &io) {
        io.drives.addDrive(QStringLiteral("C:\\"), 3);
        io.drives.addDrive(QStringLiteral("N:\\"), 4);
        for (int i = 0; i < drives; ++i)
            io.drives.addCdDrive(cd.at(i));
    });
    Form1 &f = *w.form;
    QCOMPARE(controlState(f), state);
    QCOMPARE(f.toolbarButton(QStringLiteral("Load"))->isEnabled(), loadEnabled);
    QCOMPARE(f.mnuLoad->isEnabled(), loadEnabled);
    QVERIFY(f.toolbarButton(QStringLiteral("Find"))->isEnabled());
    QVERIFY(f.toolbarButton(QStringLiteral("Restart"))->isEnabled());
    QCOMPARE(toolbarKeys(f), (QStringList{QStringLiteral("Load"), QStringLiteral("Find"),
                                          QStringLiteral("Restart")}
                              + cd.mid(0, drives)));
    for (int i = 0; i < drives; ++i) {
        QCOMPARE(f.List3->item(i)->text(), cd.at(i));
        QCOMPARE(f.toolbarButton(cd.at(i))->text(), cd.at(i).toUpper());
        QCOMPARE(f.toolbarButton(cd.at(i))->toolTip(), QStringLiteral("Scan CD"));
    }
    QCOMPARE(f.List3->count(), drives);
    QVERIFY(w.io.messages.shown.empty());
}

void TestUiForm1::noCaptionClipped_data()
{
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<bool>("later"); // the font changed on the window once shown
    QTest::newRow("default font") << 0 << false;
    QTest::newRow("large font") << 14 << false;
    QTest::newRow("large font, changed once shown") << 14 << true;
}

// Every caption fits its control at the font in use, nothing overlaps, and
// the client area keeps at least its designed size.
void TestUiForm1::noCaptionClipped()
{
    QFETCH(int, pointSize);
    QFETCH(bool, later);
    const QFont saved = QApplication::font();
    QFont big = saved;
    if (pointSize > 0) {
        big.setPointSize(pointSize);
        if (!later)
            QApplication::setFont(big);
    }
    {
        Form1Harness w(WorkMode::AddDisc, [](ScriptedServices &io) {
            io.drives.addCdDrive(QStringLiteral("D:\\"));
            io.drives.addCdDrive(QStringLiteral("E:\\"));
        });
        Form1 &f = *w.form;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        if (later)
            f.setFont(big);
        const QList<QWidget *> column{f.Label2, f.Text2, f.Command3, f.Command4, f.Command2};
        for (QWidget *control : column) {
            QVERIFY2(control == f.Text2 || control->width() >= control->sizeHint().width(),
                     qPrintable(control->objectName()));
            QVERIFY2(control->height() >= control->sizeHint().height(),
                     qPrintable(control->objectName()));
        }
        for (qsizetype i = 0; i + 1 < column.size(); ++i)
            QVERIFY(column.at(i)->geometry().bottom() < column.at(i + 1)->geometry().top());
        QVERIFY(f.List2->geometry().right() < f.Label2->geometry().left());
        for (QAction *button : f.Toolbar1->actions()) {
            QWidget *tool = f.Toolbar1->widgetForAction(button);
            QVERIFY2(tool && tool->isVisible(), qPrintable(button->text())); // not in an overflow
            QVERIFY(tool->width() >= tool->sizeHint().width());
        }
        QVERIFY(f.centralWidget()->width() >= 8670 / 15);
        QVERIFY(f.List2->height() >= 4545 / 15);
        QCOMPARE(f.minimumSize(), f.maximumSize());
    }
    QApplication::setFont(saved);
}

void TestUiForm1::driveButtonScansItsDrive_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("scans");
    QTest::newRow("upper-case root") << QStringLiteral("D:\\") << true;
    QTest::newRow("lower-case root") << QStringLiteral("d:\\") << true;
    QTest::newRow("device node") << QStringLiteral("/dev/sr0") << true;
    QTest::newRow("root not among the drives") << QStringLiteral("F:\\") << false;
}

// Every drive button scans its drive, whatever form its key takes; a key
// that is not a discovered drive does nothing.
void TestUiForm1::driveButtonScansItsDrive()
{
    QFETCH(QString, key);
    QFETCH(bool, scans);
    QTemporaryDir disc;
    writeFile(disc.path(), QStringLiteral("SETUP.EXE"));
    Form1Harness w(WorkMode::NewCatalog, [&](ScriptedServices &io) {
        if (scans)
            io.drives.addCdDrive(key, disc.path());
    });
    QAction *button = w.form->toolbarButton(key);
    if (!button) {
        button = w.form->Toolbar1->addAction(key);
        button->setData(key);
    }
    // A click on the tool button, as the user does it.
    auto *tool = qobject_cast<QToolButton *>(w.form->Toolbar1->widgetForAction(button));
    QVERIFY(tool);
    tool->click();
    QCOMPARE(w.io.drives.resolved, scans ? QStringList{key} : QStringList());
    QCOMPARE(w.form->statusText(),
             scans ? QStringLiteral("Total: 1 files") : QStringLiteral("File Count"));
}

void TestUiForm1::commands_data()
{
    QTest::addColumn<QString>("command"); // menu item, toolbar key, or "" for the close box
    QTest::addColumn<QString>("outcome");
    QTest::newRow("mnuFind") << "mnuFind" << "find";
    QTest::newRow("toolbar Find") << "Find" << "find";
    QTest::newRow("mnuAbout") << "mnuAbout" << "about";
    QTest::newRow("mnuDonate") << "mnuDonate" << "donate";
    QTest::newRow("toolbar Restart") << "Restart" << "restart";
    QTest::newRow("mnuRestart") << "mnuRestart" << "restart";
    QTest::newRow("mnuExit") << "mnuExit" << "end";
    QTest::newRow("close box") << "" << "end";
}

// Menu and toolbar commands reach their windows through signals; a restart
// closes the window without ending the program, every other close ends it.
void TestUiForm1::commands()
{
    QFETCH(QString, command);
    QFETCH(QString, outcome);
    Form1Harness w;
    Form1 *f = w.form.get();
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    QSignalSpy find(f, &Form1::findRequested);
    QSignalSpy about(f, &Form1::aboutRequested);
    QSignalSpy restarts(f, &Form1::restartRequested);
    QSignalSpy ends(f, &Form1::programEndRequested);
    bool pendingAtRestart = false;
    bool visibleAtRestart = false;
    connect(f, &Form1::restartRequested, this, [&] {
        pendingAtRestart = f->restartPending();
        visibleAtRestart = f->isVisible();
    });

    if (command.isEmpty())
        f->close();
    else if (command.startsWith(QLatin1String("mnu")))
        f->findChild<QAction *>(command)->trigger();
    else
        f->toolbarButton(command)->trigger();

    QCOMPARE(find.size(), outcome == QLatin1String("find") ? 1 : 0);
    QCOMPARE(about.size(), outcome == QLatin1String("about") ? 1 : 0);
    QCOMPARE(w.io.shell.opened,
             outcome == QLatin1String("donate") ? QStringList{donationPage()} : QStringList());
    QCOMPARE(restarts.size(), outcome == QLatin1String("restart") ? 1 : 0);
    QCOMPARE(ends.size(), outcome == QLatin1String("end") ? 1 : 0);
    const bool closes = outcome == QLatin1String("restart") || outcome == QLatin1String("end");
    QCOMPARE(f->isVisible(), !closes);
    QVERIFY(!f->restartPending()); // the closing step cleared it
    QCOMPARE(pendingAtRestart, outcome == QLatin1String("restart"));
    QCOMPARE(visibleAtRestart, outcome == QLatin1String("restart"));
}

void TestUiForm1::discNameStaysOnOneLine_data()
{
    QTest::addColumn<QString>("how");    // "paste", "insert" or "input method"
    QTest::addColumn<QString>("before"); // the box's text; "|" marks the cursor
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("after"); // "|" marks the cursor

    for (const char *how : {"paste", "insert", "input method"}) {
        const QByteArray h(how);
        QTest::newRow(h + ": mixed breaks and a tab")
            << how << "|" << "Disc\n2\tx\r3" << "Disc 2 x 3|";
        QTest::newRow(h + ": CR LF is one blank")
            << how << "|" << "Games\r\n1" << "Games 1|";
        QTest::newRow(h + ": LF CR are two") << how << "|" << "a\n\rb" << "a  b|";
        QTest::newRow(h + ": CR before CR LF") << how << "|" << "a\r\r\nb" << "a  b|";
        QTest::newRow(h + ": into the middle")
            << how << "Games|1" << "\r\n\t" << "Games  |1";
        QTest::newRow(h + ": blanks kept, not trimmed")
            << how << "|" << "  Photos, 2002\t " << "  Photos, 2002  |";
        QTest::newRow(h + ": other text unchanged")
            << how << "|" << QString::fromUtf8("Müsik \"Live\" - 1") << QString::fromUtf8("Müsik \"Live\" - 1|");
    }
}

// A line break or tab that reaches the disc name box, pasted, inserted or
// committed by an input method, becomes a blank; nothing else changes.
void TestUiForm1::discNameStaysOnOneLine()
{
    QFETCH(QString, how);
    QFETCH(QString, before);
    QFETCH(QString, added);
    QFETCH(QString, after);
    Form1Harness w;
    QLineEdit *box = w.form->Text2;
    box->setEnabled(true);
    box->setText(QString(before).remove(QLatin1Char('|')));
    box->setCursorPosition(int(before.indexOf(QLatin1Char('|'))));

    if (how == QLatin1String("paste")) {
        QGuiApplication::clipboard()->setText(added);
        QCOMPARE(QGuiApplication::clipboard()->text(), added);
        box->paste();
    } else if (how == QLatin1String("insert")) {
        box->insert(added);
    } else {
        QInputMethodEvent commit;
        commit.setCommitString(added);
        QApplication::sendEvent(box, &commit);
    }
    QCOMPARE(box->text(), QString(after).remove(QLatin1Char('|')));
    QCOMPARE(box->cursorPosition(), int(after.indexOf(QLatin1Char('|'))));
}

QTEST_MAIN(TestUiForm1)
#include "tst_ui_form1.moc"
