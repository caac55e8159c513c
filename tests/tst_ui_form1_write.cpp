// "Write Catalog..." and "Add to Catalog...": the checks, the save dialog and
// the settings it keeps between uses, the files written, the control states
// after each outcome, and the reported failures.

#include "UiTestSupport.h"
#include "catalog/CatalogSlot.h"
#include "ui/main/WorkModeSettings.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

namespace {

const QString kDrive = QStringLiteral("D:\\");
const QString kCatalogFilter = QStringLiteral("CD Catalog Files (*.cdc)|*.cdc");
const QString kAppendFilter = QStringLiteral(
    "All Files (*.*)|*.*|Text Files (*.txt)|*.txt|CD Catalog Files (*.cdc)|*.cdc");

// The bytes a disc block of the sample disc takes in a catalog file.
QByteArray block(const QString &discName)
{
    QByteArray bytes;
    for (const QString &line : sampleDiscListing())
        bytes += '"' + (discName + QStringLiteral(" - ") + line).toUtf8() + "\"\r\n";
    return bytes;
}

// A window with two drives holding the sample disc, in one of two
// situations:
// - "write": a new catalog "Music" was started and the disc scanned;
// - "append": the first disc was written to first.cdc, "Scan New CD"
//   pressed and the next disc scanned.
// Messages and dialog requests of the preparation are forgotten.
struct WriterWindow
{
    explicit WriterWindow(const QString &routine)
        : window(WorkMode::NewCatalog, [this](ScriptedServices &io) {
              makeSampleDisc(disc.path());
              io.drives.addCdDrive(kDrive, disc.path());
              io.drives.addCdDrive(QStringLiteral("E:\\"), disc.path());
          })
    {
        Form1 &f = form();
        // What the start dialog leaves for a new catalog.
        f.session().catalog().setPath(QStringLiteral("Music"));
        applyStartSettings(f, WorkMode::NewCatalog);
        f.ScanDrive(kDrive);
        if (routine == QLatin1String("append")) {
            f.Text2->setText(QStringLiteral("Disc 1"));
            window.io.dialogs.answer(firstCatalog());
            f.Command3->click();
            f.Command2->click();
            f.ScanDrive(kDrive);
        }
        window.io.messages.clear();
        window.io.dialogs.requests.clear();
    }

    Form1 &form() { return *window.form; }
    QString firstCatalog() const { return out.filePath(QStringLiteral("first.cdc")); }

    QTemporaryDir disc;
    QTemporaryDir out;
    Form1Harness window;
};

const QString kBeforeWrite = QStringLiteral(
    "Label2 on|Text2 on|Command3 on shown|Command4 on hidden|Command2 on hidden|drives on on");
const QString kAfterWrite = QStringLiteral(
    "Label2 off|Text2 off|Command3 off shown|Command4 off shown|Command2 on shown|drives off off");
const QString kBeforeAppend = QStringLiteral(
    "Label2 on|Text2 on|Command3 on hidden|Command4 on shown|Command2 off shown|drives on on");
const QString kAfterAppend = QStringLiteral(
    "Label2 off|Text2 off|Command3 on hidden|Command4 off shown|Command2 on shown|drives off off");

} // namespace

class TestUiForm1Write : public QObject
{
    Q_OBJECT
private slots:
    void writer_data();
    void writer();
    void failureIsReported_data();
    void failureIsReported();
    void appendAfterLoadProposesLoadedCatalog();
};

void TestUiForm1Write::writer_data()
{
    QTest::addColumn<QString>("routine");  // "write" or "append"
    QTest::addColumn<QString>("discName");
    QTest::addColumn<bool>("emptyList");
    QTest::addColumn<QString>("target");   // "new", "existing", "first" (first.cdc) or "cancel"
    QTest::addColumn<QString>("message");  // empty: none
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QByteArray>("content"); // of the chosen file; null: the file stays as it was

    const QString emptyList = QStringLiteral("Listbox is empty - cannot write to file!");
    const QString noName = QStringLiteral("Please enter a Disk Name or Number");
    const int critical = int(MessageIcon::Critical);
    const int exclamation = int(MessageIcon::Exclamation);
    const QByteArray old = "\"Old - \\OLD.TXT\"\r\n";

    QTest::newRow("write, new file") << "write" << "Games 1" << false << "new" << QString()
                                     << QString() << 0 << kAfterWrite << block("Games 1");
    QTest::newRow("write, existing file replaced")
        << "write" << "Games 1" << false << "existing" << QString() << QString() << 0
        << kAfterWrite << block("Games 1");
    QTest::newRow("write, disc name of blanks kept")
        << "write" << "  x " << false << "new" << QString() << QString() << 0 << kAfterWrite
        << block("  x ");
    QTest::newRow("write, cancelled") << "write" << "Games 1" << false << "cancel" << QString()
                                      << QString() << 0 << kBeforeWrite << QByteArray();
    QTest::newRow("write, empty list") << "write" << "Games 1" << true << "none" << emptyList
                                       << "Error" << critical << kBeforeWrite << QByteArray();
    QTest::newRow("write, no disc name") << "write" << "" << false << "none" << noName << "Kobrix"
                                         << exclamation << kBeforeWrite << QByteArray();
    // A catalog line's disc name ends at its first " - \": such a name
    // could never be found again, and is refused before the dialog.
    const QString unreachable = QStringLiteral(
        "A disc name cannot hold \" - \\\": \"Odd - \\Name\" would be read back as the disc "
        "\"Odd\". Nothing was written.");
    QTest::newRow("write, disc name holding the separator")
        << "write" << "Odd - \\Name" << false << "none" << unreachable << "Kobrix"
        << exclamation << kBeforeWrite << QByteArray();
    QTest::newRow("append, disc name holding the separator")
        << "append" << "A - \\B - \\C" << false << "none"
        << QStringLiteral("A disc name cannot hold \" - \\\": \"A - \\B - \\C\" would be read "
                          "back as the disc \"A\". Nothing was written.")
        << "Kobrix" << exclamation << kBeforeAppend << QByteArray();
    QTest::newRow("write, separator without its backslash is a name")
        << "write" << "Odd - Name \\ x" << false << "new" << QString() << QString() << 0
        << kAfterWrite << block("Odd - Name \\ x");
    QTest::newRow("write, no disc name, empty list")
        << "write" << "" << true << "none" << noName << "Kobrix" << exclamation << kBeforeWrite
        << QByteArray();

    QTest::newRow("append to the catalog written before")
        << "append" << "Disc 2" << false << "first" << QString() << QString() << 0 << kAfterAppend
        << block("Disc 1") + block("Disc 2");
    QTest::newRow("append to another catalog")
        << "append" << "Disc 2" << false << "existing" << QString() << QString() << 0
        << kAfterAppend << old + block("Disc 2");
    QTest::newRow("append, missing file created")
        << "append" << "Disc 2" << false << "new" << QString() << QString() << 0 << kAfterAppend
        << block("Disc 2");
    QTest::newRow("append, cancelled") << "append" << "Disc 2" << false << "cancel" << QString()
                                       << QString() << 0 << kBeforeAppend << QByteArray();
    QTest::newRow("append, empty list") << "append" << "Disc 2" << true << "none" << emptyList
                                        << "Error" << critical << kBeforeAppend << QByteArray();
    QTest::newRow("append, no disc name") << "append" << "" << false << "none" << noName
                                          << "Kobrix" << exclamation << kBeforeAppend
                                          << QByteArray();
}

void TestUiForm1Write::writer()
{
    QFETCH(QString, routine);
    QFETCH(QString, discName);
    QFETCH(bool, emptyList);
    QFETCH(QString, target);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QString, state);
    QFETCH(QByteArray, content);

    WriterWindow w(routine);
    Form1 &f = w.form();
    const bool append = routine == QLatin1String("append");
    QCOMPARE(controlState(f), append ? kBeforeAppend : kBeforeWrite);

    const QByteArray old = "\"Old - \\OLD.TXT\"\r\n";
    QString path = w.out.filePath(QStringLiteral("chosen.cdc"));
    if (target == QLatin1String("existing"))
        writeFile(w.out.path(), QStringLiteral("chosen.cdc"), old);
    if (target == QLatin1String("first"))
        path = w.firstCatalog();
    const QByteArray firstBefore = readFile(w.firstCatalog());
    if (target == QLatin1String("cancel"))
        w.window.io.dialogs.cancel();
    else if (target != QLatin1String("none"))
        w.window.io.dialogs.answer(path);

    f.Text2->setText(discName);
    if (emptyList) {
        f.session().catalog().lines().clear();
        f.refreshList2();
    }
    const QStringList listBefore = toStringList(f.session().catalog().lines());
    const QString captionBefore = f.windowTitle();

    (append ? f.Command4 : f.Command3)->click();

    const RecordingMessageBoxService &messages = w.window.io.messages;
    if (message.isEmpty()) {
        QCOMPARE(messages.texts(), QStringList());
    } else {
        QCOMPARE(messages.texts(), QStringList{message});
        QCOMPARE(messages.last()->title, title);
        QCOMPARE(int(messages.last()->icon), icon);
    }
    // A refused command shows no dialog. "Write Catalog..." proposes Text3;
    // "Add to Catalog..." keeps the name and flags of the dialog's last use
    // (the file written before), but never asks about replacing: it adds.
    const auto &requests = w.window.io.dialogs.requests;
    QCOMPARE(requests.size(), std::size_t(target == QLatin1String("none") ? 0 : 1));
    QCOMPARE(w.window.io.dialogs.unexpected, 0);
    if (!requests.empty()) {
        QCOMPARE(requests.front().mode, FileDialogMode::Save);
        QCOMPARE(requests.front().flags, quint32(append ? 0x804 : 0x806));
        QCOMPARE(f.CommonDialog1.flags(), quint32(0x806)); // kept for the next use
        QCOMPARE(requests.front().fileName, append ? w.firstCatalog() : QStringLiteral("Music"));
        QCOMPARE(requests.front().filter, append ? kAppendFilter : kCatalogFilter);
        if (append)
            QCOMPARE(requests.front().filterIndex, 3);
    }
    QCOMPARE(controlState(f), state);

    if (!content.isNull()) {
        QCOMPARE(readFile(path), content);
    } else {
        QVERIFY(!QFile::exists(w.out.filePath(QStringLiteral("chosen.cdc"))));
        QCOMPARE(readFile(w.firstCatalog()), firstBefore);
    }
    // Neither routine changes the lines, the disc name, Text3 or the caption.
    QCOMPARE(toStringList(f.session().catalog().lines()), listBefore);
    QCOMPARE(f.Text2->text(), discName);
    QCOMPARE(f.Text3->text(), QStringLiteral("Music"));
    QCOMPARE(f.windowTitle(), captionBefore);
}

void TestUiForm1Write::failureIsReported_data()
{
    QTest::addColumn<QString>("routine");
    QTest::addColumn<QString>("target"); // "folder", "empty name", "missing folder", "slot busy"
    QTest::addColumn<QString>("message");

    for (const char *routine : {"write", "append"}) {
        const QByteArray r(routine);
        QTest::newRow(r + ", a folder") << routine << "folder"
                                        << "Error in WriteList\r\r75 - Path/File access error";
        QTest::newRow(r + ", empty name") << routine << "empty name"
                                          << "Error in WriteList\r\r52 - Bad file name or number";
        QTest::newRow(r + ", missing folder") << routine << "missing folder"
                                              << "Error in WriteList\r\r76 - Path not found";
        QTest::newRow(r + ", catalog slot busy") << routine << "slot busy"
                                                 << "Error in WriteList\r\r55 - File already open";
    }
}

// A catalog that could not be written is reported, whatever the error, and
// the window does not switch as if the disc were stored.
void TestUiForm1Write::failureIsReported()
{
    QFETCH(QString, routine);
    QFETCH(QString, target);
    QFETCH(QString, message);

    WriterWindow w(routine);
    Form1 &f = w.form();
    const bool append = routine == QLatin1String("append");
    const QString before = controlState(f);
    const QByteArray firstBefore = readFile(w.firstCatalog());

    QString path = w.out.filePath(QStringLiteral("chosen.cdc"));
    CatalogSlot heldElsewhere;
    if (target == QLatin1String("folder"))
        path = w.out.path();
    else if (target == QLatin1String("empty name"))
        path = QString();
    else if (target == QLatin1String("missing folder"))
        path = w.out.filePath(QStringLiteral("missing/chosen.cdc"));
    else if (target == QLatin1String("slot busy"))
        QVERIFY(!heldElsewhere.acquire());
    w.window.io.dialogs.answer(path);
    f.Text2->setText(QStringLiteral("Disc 2"));

    (append ? f.Command4 : f.Command3)->click();

    QCOMPARE(w.window.io.messages.texts(), QStringList{message});
    QCOMPARE(w.window.io.messages.last()->title,
             append ? QStringLiteral("Kobrix") : QStringLiteral("Error"));
    QCOMPARE(w.window.io.messages.last()->icon, MessageIcon::Critical);
    QCOMPARE(controlState(f), before);
    QVERIFY(!QFile::exists(w.out.filePath(QStringLiteral("chosen.cdc"))));
    QCOMPARE(readFile(w.firstCatalog()), firstBefore);
}

// After a load, "Add to Catalog..." proposes the catalog just loaded, with
// the flags the load set.
void TestUiForm1Write::appendAfterLoadProposesLoadedCatalog()
{
    QTemporaryDir disc;
    QTemporaryDir out;
    makeSampleDisc(disc.path());
    const QString catalog = out.filePath(QStringLiteral("Games.cdc"));
    writeFile(out.path(), QStringLiteral("Games.cdc"), block("Disc 1"));

    Form1Harness w(WorkMode::AddDisc,
                   [&](ScriptedServices &io) { io.drives.addCdDrive(kDrive, disc.path()); });
    Form1 &f = *w.form;
    w.io.dialogs.answer(catalog);
    f.loadCatalog();
    QCOMPARE(f.session().catalog().lines().count(), sampleDiscListing().size());

    f.Command2->click();
    f.ScanDrive(kDrive);
    f.Text2->setText(QStringLiteral("Disc 2"));
    w.io.dialogs.answer(catalog);
    f.Command4->click();

    QCOMPARE(w.io.dialogs.requests.size(), std::size_t(2));
    const FileDialogRequest &load = w.io.dialogs.requests.at(0);
    QCOMPARE(load.mode, FileDialogMode::Open);
    QCOMPARE(load.flags, quint32(0x806));
    QCOMPARE(load.filter, kCatalogFilter);
    const FileDialogRequest &append = w.io.dialogs.requests.at(1);
    QCOMPARE(append.mode, FileDialogMode::Save);
    QCOMPARE(append.fileName, catalog);
    QCOMPARE(append.flags, quint32(0x804)); // adding asks nothing about replacing
    QCOMPARE(f.CommonDialog1.flags(), quint32(0x806));
    QCOMPARE(append.filter, kAppendFilter);
    QCOMPARE(append.filterIndex, 3);
    QCOMPARE(readFile(catalog), block("Disc 1") + block("Disc 2"));
    QCOMPARE(w.io.messages.texts(),
             QStringList{QStringLiteral("Place The next CD in the CD-Drive and click OK")});
}

QTEST_MAIN(TestUiForm1Write)
#include "tst_ui_form1_write.moc"
