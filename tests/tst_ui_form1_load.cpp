// Loading a catalog into the main window: the Load command, its messages and
// its rules for Text3 and the caption; the busy catalog slot and closing
// while a long load lets the window work; how quickly a large catalog shows.

#include "UiTestSupport.h"

#include <QApplication>
#include <QFile>
#include "ui/common/LineListView.h"
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// A catalog of `lines` records, 1000 to a disc.
QString writeLargeCatalog(const QString &folder, int lines)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(lines) * 48);
    for (int i = 0; i < lines; ++i)
        bytes += "\"Disc " + QByteArray::number(i / 1000) + " - \\DATA\\SET"
            + QByteArray::number(i % 97) + "\\FILE" + QByteArray::number(i) + ".DAT\"\r\n";
    writeFile(folder, QStringLiteral("large.cdc"), bytes);
    return folder + QStringLiteral("/large.cdc");
}

QString lastLargeLine(int lines)
{
    const int i = lines - 1;
    return QStringLiteral("Disc %1 - \\DATA\\SET%2\\FILE%3.DAT").arg(i / 1000).arg(i % 97).arg(i);
}

} // namespace

class TestUiForm1Load : public QObject
{
    Q_OBJECT
private slots:
    void loadCommand_data();
    void loadCommand();
    void catalogSlotBusyDuringLongLoad_data();
    void catalogSlotBusyDuringLongLoad();
    void closingOrDiscardingDuringLoad_data();
    void closingOrDiscardingDuringLoad();
    void millionLinesArriveQuicklyAndWindowKeepsReacting();
};

void TestUiForm1Load::loadCommand_data()
{
    QTest::addColumn<QString>("trigger"); // "mnuLoad" or the toolbar's "Load"
    QTest::addColumn<QString>("file");    // "two discs", "empty", "missing" or "cancel"
    QTest::addColumn<int>("times");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");

    const QStringList earlier{QStringLiteral("Before - \\OLD.TXT")};
    const QStringList twoDiscs{QStringLiteral("Games 1 - \\SETUP.EXE"),
                               QStringLiteral("Games 1 - \\DATA\\LEVEL1.DAT"),
                               QStringLiteral("Games 2 - \\INSTALL.EXE")};
    for (const char *trigger : {"mnuLoad", "Load"}) {
        const QByteArray t(trigger);
        QTest::newRow(t + ", two discs") << trigger << "two discs" << 1 << twoDiscs << QString();
        QTest::newRow(t + ", twice") << trigger << "two discs" << 2 << twoDiscs << QString();
        QTest::newRow(t + ", empty file") << trigger << "empty" << 1 << QStringList() << QString();
        QTest::newRow(t + ", missing file")
            << trigger << "missing" << 1 << earlier << "Error Reading file\r\r53 - File not found";
        QTest::newRow(t + ", cancelled") << trigger << "cancel" << 1 << earlier << QString();
    }
}

void TestUiForm1Load::loadCommand()
{
    QFETCH(QString, trigger);
    QFETCH(QString, file);
    QFETCH(int, times);
    QFETCH(QStringList, lines);
    QFETCH(QString, message);

    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("Games.cdc"));
    if (file == QLatin1String("two discs"))
        writeFile(out.path(), QStringLiteral("Games.cdc"),
                  "\"Games 1 - \\SETUP.EXE\"\r\n\"Games 1 - \\DATA\\LEVEL1.DAT\"\r\n"
                  "\"Games 2 - \\INSTALL.EXE\"\r\n");
    if (file == QLatin1String("empty"))
        writeFile(out.path(), QStringLiteral("Games.cdc"), QByteArray());

    // A window in the search mode that shows an earlier catalog.
    Form1Harness w(WorkMode::SearchCatalog);
    Form1 &f = *w.form;
    const QString before = QStringLiteral("/old/Before.cdc");
    f.session().catalog().setPath(before);
    f.setWindowTitle(before + QStringLiteral(" - Kobrix"));
    f.session().catalog().lines().append(u"Before - \\OLD.TXT");
    f.refreshList2();
    const QString statesBefore = controlState(f);

    for (int i = 0; i < times; ++i) {
        if (file == QLatin1String("cancel"))
            w.io.dialogs.cancel();
        else
            w.io.dialogs.answer(path);
        if (trigger == QLatin1String("mnuLoad"))
            f.mnuLoad->trigger();
        else
            f.toolbarButton(trigger)->trigger();
    }

    QCOMPARE(toStringList(f.session().catalog().lines()), lines);
    QCOMPARE(f.List2->model()->rowCount(), lines.size());
    QCOMPARE(w.io.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(w.io.messages.last()->title, QStringLiteral("Kobrix"));
        QCOMPARE(w.io.messages.last()->icon, MessageIcon::Critical);
    }
    // Text3 and the caption name the chosen file, even one that could not
    // be read; a cancelled dialog changes nothing.
    const QString named = file == QLatin1String("cancel") ? before : path;
    QCOMPARE(f.Text3->text(), named);
    QCOMPARE(f.windowTitle(), named + QStringLiteral(" - Kobrix"));
    QCOMPARE(controlState(f), statesBefore);
    QVERIFY(!f.session().isLoading());
}

void TestUiForm1Load::catalogSlotBusyDuringLongLoad_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::newRow("Write Catalog...") << "write" << "Error"
                                      << "Error in WriteList\r\r55 - File already open";
    QTest::newRow("Add to Catalog...") << "append" << "Kobrix"
                                       << "Error in WriteList\r\r55 - File already open";
    QTest::newRow("Load") << "load" << "Kobrix" << "Error Reading file\r\r55 - File already open";
}

// While a long load yields to the window, a command that needs the catalog
// file finds it open and says so; the load goes on to the end.
void TestUiForm1Load::catalogSlotBusyDuringLongLoad()
{
    QFETCH(QString, command);
    QFETCH(QString, title);
    QFETCH(QString, message);

    constexpr int kLines = 200000;
    QTemporaryDir out;
    const QString large = writeLargeCatalog(out.path(), kLines);
    const QString second = out.filePath(QStringLiteral("second.cdc"));
    Form1Harness w(WorkMode::SearchCatalog);
    Form1 &f = *w.form;
    f.setLoadSlice(std::chrono::microseconds(200)); // several slices on any machine
    f.Command3->setEnabled(true);
    f.Command4->setEnabled(true);
    f.show();
    w.io.dialogs.answer(large);

    qsizetype linesWhenPressed = -1;
    QTimer::singleShot(0, &f, [&] {
        if (f.session().isLoading())
            linesWhenPressed = f.session().catalog().lines().count();
        w.io.dialogs.answer(second);
        f.Text2->setText(QStringLiteral("Disc 9"));
        if (command == QLatin1String("write"))
            f.Command3->click();
        else if (command == QLatin1String("append"))
            f.Command4->click();
        else
            f.toolbarButton(QStringLiteral("Load"))->trigger();
    });
    f.mnuLoad->trigger();

    QVERIFY2(linesWhenPressed > 0 && linesWhenPressed < kLines, "not pressed during the load");
    QCOMPARE(w.io.messages.texts(), QStringList{message});
    QCOMPARE(w.io.messages.last()->title, title);
    QCOMPARE(w.io.messages.last()->icon, MessageIcon::Critical);
    QVERIFY(!QFile::exists(second));
    QCOMPARE(f.List2->model()->rowCount(), kLines);
    QCOMPARE(f.List2->model()->index(kLines - 1, 0).data().toString(), lastLargeLine(kLines));
    // The Load pressed meanwhile put its file into Text3, as a failed load
    // does; the first load named its own file in the caption when it ended.
    QCOMPARE(f.Text3->text(), command == QLatin1String("load") ? second : large);
    QCOMPARE(f.windowTitle(), large + QStringLiteral(" - Kobrix"));

    // Afterwards the slot is free again.
    w.io.messages.clear();
    w.io.dialogs.answer(second);
    f.Command3->click();
    QCOMPARE(w.io.messages.texts(), QStringList());
    QVERIFY(QFile::exists(second));
}

void TestUiForm1Load::closingOrDiscardingDuringLoad_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("loadStops");
    QTest::newRow("close box, then discarded") << "close" << true;
    QTest::newRow("Restart, then discarded") << "restart" << true;
    QTest::newRow("discarded without closing") << "discard" << false;
}

// A window closed during a load stops loading; a window discarded with
// deleteLater() during a load stays until the load and its callers have
// returned.
void TestUiForm1Load::closingOrDiscardingDuringLoad()
{
    QFETCH(QString, how);
    QFETCH(bool, loadStops);
    constexpr int kLines = 200000;
    QTemporaryDir out;
    const QString large = writeLargeCatalog(out.path(), kLines);
    Form1Harness w(WorkMode::SearchCatalog);
    QPointer<Form1> f = w.form.release(); // owned as the program owns it
    f->setLoadSlice(std::chrono::microseconds(200));
    f->show();
    QSignalSpy ends(f.data(), &Form1::programEndRequested);
    connect(f, &Form1::programEndRequested, f, &QObject::deleteLater);
    connect(f, &Form1::restartRequested, f, &QObject::deleteLater);
    bool pressed = false;
    QTimer::singleShot(0, f, [&] {
        pressed = f->session().isLoading();
        if (how == QLatin1String("close"))
            f->close();
        else if (how == QLatin1String("restart"))
            f->toolbarButton(QStringLiteral("Restart"))->trigger();
        else
            f->deleteLater();
    });
    w.io.dialogs.answer(large);
    f->toolbarButton(QStringLiteral("Load"))->trigger();

    QVERIFY(pressed);
    QVERIFY(f); // still there while the command unwinds
    QCOMPARE(ends.size(), how == QLatin1String("close") ? 1 : 0);
    QCOMPARE(f->List2->model()->rowCount() < kLines, loadStops);
    QCOMPARE(f->List2->model()->rowCount(), f->session().catalog().lines().count());
    QCOMPARE(f->windowTitle(), large + QStringLiteral(" - Kobrix"));
    QCOMPARE(w.io.messages.texts(), QStringList());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!f);
}

// One million lines reach List2 slice by slice, the window handling its
// events between the slices, and the view can show the last of them. How
// long that takes is a figure of kobrix-bench-window load (listed_ms,
// placed_ms, longest_gap_ms), not a test.
void TestUiForm1Load::millionLinesArriveQuicklyAndWindowKeepsReacting()
{
    constexpr int kLines = 1000000;
    QTemporaryDir out;
    const QString large = writeLargeCatalog(out.path(), kLines);
    Form1Harness w(WorkMode::SearchCatalog);
    Form1 &f = *w.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));

    // An event posted before the load is handled during it, while the list
    // holds only part of the catalog.
    int rowsWhenHandled = -1;
    QMetaObject::invokeMethod(
        &f, [&] { rowsWhenHandled = f.List2->model()->rowCount(); }, Qt::QueuedConnection);
    f.ReadList(large, true);
    QVERIFY2(rowsWhenHandled >= 0, "no event was handled during the load");
    QVERIFY2(rowsWhenHandled < kLines, qPrintable(QString::number(rowsWhenHandled)));
    QCOMPARE(f.List2->model()->rowCount(), kLines);
    // The view has placed every row when it can scroll to the last one.
    QScrollBar *bar = f.List2->verticalScrollBar();
    QTRY_VERIFY_WITH_TIMEOUT(bar->maximum() >= kLines - 100, 60000);
    QCOMPARE(f.List2->model()->index(kLines - 1, 0).data().toString(), lastLargeLine(kLines));
}

QTEST_MAIN(TestUiForm1Load)
#include "tst_ui_form1_load.moc"
