// The main window's disc scan and "Scan New CD", over fake drives whose discs
// are temporary folders. A drive read through the Linux drive source is
// tested in tst_ui_form1_scan_linux.cpp.

#include "UiTestSupport.h"
#include "ui/main/WorkModeSettings.h"

#include <QApplication>
#include "ui/common/LineListView.h"
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// Reads the file system like the program does, but fails with 75 on one
// folder, and notes whether the busy pointer was up.
class FailingReader : public DirectoryReader
{
public:
    RuntimeError read(const QByteArray &nativePath, bool isRoot, DirectoryListing &listing) override
    {
        busyWhileReading.push_back(QGuiApplication::overrideCursor() != nullptr);
        if (!failOn.isEmpty() && nativePath.endsWith(failOn))
            return RuntimeError(PathFileAccessError);
        return real.read(nativePath, isRoot, listing);
    }

    FolderReader real;
    QByteArray failOn;
    std::vector<bool> busyWhileReading;
};

const QString kDrive = QStringLiteral("D:\\");

} // namespace

class TestUiForm1Scan : public QObject
{
    Q_OBJECT
private slots:
    void scan_data();
    void scan();
    void listViewHearsOfNewRowsOnce();
    void scanNewCd_data();
    void scanNewCd();
};

void TestUiForm1Scan::scan_data()
{
    QTest::addColumn<QString>("disc"); // "sample", "folders only", "none", "gone" or "failing"
    QTest::addColumn<int>("times");
    QTest::addColumn<QStringList>("listing");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("enables"); // Label2, Text2 and Command3
    QTest::addColumn<QString>("message");

    QTest::newRow("disc with files") << "sample" << 1 << sampleDiscListing() << "Total: 4 files"
                                     << true << QString();
    QTest::newRow("same disc twice") << "sample" << 2 << sampleDiscListing() << "Total: 4 files"
                                     << true << QString();
    QTest::newRow("disc with folders only") << "folders only" << 1 << QStringList()
                                            << "Total: 0 files" << false << QString();
    QTest::newRow("no disc in the drive")
        << "none" << 1 << QStringList() << "File Count" << false
        << "This Drive is unavailable Please insert a CD or Close the CD Drive Door";
    // The drive names a folder, but the walk finds no disc there (taken out
    // after the drive was looked up): the walk's own 68, the same message.
    QTest::newRow("disc gone before the walk")
        << "gone" << 1 << QStringList() << "File Count" << false
        << "This Drive is unavailable Please insert a CD or Close the CD Drive Door";
    // A failure other than a missing disc says why and where; the lines
    // found before it stay.
    QTest::newRow("folder fails to read")
        << "failing" << 1
        << QStringList{QStringLiteral("\\readme.txt"), QStringLiteral("\\SETUP.EXE"),
                       QStringLiteral("\\DATA\\LEVEL1.DAT")}
        << "File Count" << false << "Error scanning %1/MY DOCUMENTS\r\r75 - Path/File access error";
}

// The lists, the status text and the states after a scan, and the busy
// pointer: up while the drive is looked up and walked, down again however
// the scan ends, and before any message.
void TestUiForm1Scan::scan()
{
    QFETCH(QString, disc);
    QFETCH(int, times);
    QFETCH(QStringList, listing);
    QFETCH(QString, status);
    QFETCH(bool, enables);
    QFETCH(QString, message);

    QTemporaryDir folder;
    if (disc == QLatin1String("sample") || disc == QLatin1String("failing"))
        makeSampleDisc(folder.path());
    if (disc == QLatin1String("folders only"))
        makeDir(folder.path(), QStringLiteral("A/B"));
    Form1Harness w(WorkMode::NewCatalog, [&](ScriptedServices &io) {
        io.drives.addCdDrive(kDrive, disc == QLatin1String("none") ? QString()
                                     : disc == QLatin1String("gone")
                                         ? folder.filePath(QStringLiteral("gone"))
                                         : folder.path());
    });
    Form1 &f = *w.form;
    FailingReader reader;
    if (disc == QLatin1String("failing"))
        reader.failOn = "MY DOCUMENTS";
    f.session().setDirectoryReader(&reader);
    bool busyDuringMessage = false;
    w.io.messages.onShow = [&](const ShownMessage &) {
        busyDuringMessage = QGuiApplication::overrideCursor() != nullptr;
    };
    // As the start dialog leaves a new catalog, with lines of earlier work.
    applyStartSettings(f, WorkMode::NewCatalog);
    f.session().catalog().lines().append(u"Old - \\EARLIER.TXT");
    f.refreshList2();

    for (int i = 0; i < times; ++i)
        f.toolbarButton(kDrive)->trigger();

    QCOMPARE(toStringList(f.session().catalog().lines()), listing);
    QCOMPARE(f.List2->model()->rowCount(), listing.size());
    QCOMPARE(f.statusText(), status);
    const QString on = onOff(enables);
    // Lines of a scan that failed part-way cannot be added to a catalog.
    const QString add = onOff(disc != QLatin1String("failing"));
    QCOMPARE(controlState(f), QStringLiteral("Label2 %1|Text2 %1|Command3 %1 shown|"
                                             "Command4 %2 hidden|Command2 on hidden|drives on")
                                  .arg(on, add));
    if (message.contains(QLatin1String("%1")))
        message = message.arg(folder.path());
    QCOMPARE(w.io.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(w.io.messages.last()->title, QStringLiteral("Kobrix"));
        QCOMPARE(w.io.messages.last()->icon, MessageIcon::Critical);
    }
    if (disc == QLatin1String("folders only"))
        QCOMPARE(toStringList(f.session().list1Lines()),
                 (QStringList{folder.filePath(QStringLiteral("A")),
                              folder.filePath(QStringLiteral("A/B"))}));
    QCOMPARE(w.io.drives.busyCursorWhileResolving, std::vector<bool>(std::size_t(times), true));
    QVERIFY(std::all_of(reader.busyWhileReading.begin(), reader.busyWhileReading.end(),
                        [](bool busy) { return busy; }));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QVERIFY(!busyDuringMessage);
}

// A large listing reaches the view as one batch of rows, not row by row.
void TestUiForm1Scan::listViewHearsOfNewRowsOnce()
{
    QTemporaryDir folder;
    for (int d = 0; d < 20; ++d)
        for (int f = 0; f < 100; ++f)
            writeFile(folder.path(), QStringLiteral("D%1/F%2.DAT")
                                         .arg(d, 2, 10, QLatin1Char('0'))
                                         .arg(f, 2, 10, QLatin1Char('0')));
    Form1Harness w(WorkMode::NewCatalog,
                   [&](ScriptedServices &io) { io.drives.addCdDrive(kDrive, folder.path()); });
    QSignalSpy inserted(w.form->List2->model(), &QAbstractItemModel::rowsInserted);
    w.form->ScanDrive(kDrive);
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(inserted.at(0).at(2).toInt(), 1999);
    QCOMPARE(w.form->List2->model()->index(1999, 0).data().toString(),
             QStringLiteral("\\D19\\F99.DAT"));
}

void TestUiForm1Scan::scanNewCd_data()
{
    QTest::addColumn<int>("drives");
    QTest::newRow("two drives") << 2;
    QTest::newRow("no drive") << 0;
}

// After a written disc, "Scan New CD" asks for the next disc, clears the
// lists, the disc name and the status text, and enables the drive buttons.
void TestUiForm1Scan::scanNewCd()
{
    QFETCH(int, drives);
    QTemporaryDir folder;
    QTemporaryDir catalogs;
    makeSampleDisc(folder.path());
    Form1Harness w(WorkMode::NewCatalog, [&](ScriptedServices &io) {
        for (int i = 0; i < drives; ++i)
            io.drives.addCdDrive(i == 0 ? kDrive : QStringLiteral("E:\\"), folder.path());
    });
    Form1 &f = *w.form;
    if (drives > 0) {
        f.ScanDrive(kDrive);
    } else {
        f.session().catalog().lines().append(u"\\A.TXT");
        f.refreshList2();
    }
    f.Text2->setText(QStringLiteral("Disc 1"));
    w.io.dialogs.answer(catalogs.filePath(QStringLiteral("Music.cdc")));
    f.Command3->click(); // writes the disc: drive buttons off, "Scan New CD" shown
    QCOMPARE(w.io.messages.texts(), QStringList());

    f.Command2->click();

    QCOMPARE(w.io.messages.texts(),
             QStringList{QStringLiteral("Place The next CD in the CD-Drive and click OK")});
    QCOMPARE(w.io.messages.last()->title, QStringLiteral("Kobrix"));
    QCOMPARE(w.io.messages.last()->icon, MessageIcon::Information);
    QCOMPARE(f.List2->model()->rowCount(), 0);
    QCOMPARE(f.session().list1Lines().count(), 0);
    QCOMPARE(f.Text2->text(), QString());
    QCOMPARE(f.statusText(), QString());
    QCOMPARE(controlState(f), QStringLiteral("Label2 off|Text2 off|Command3 off hidden|"
                                             "Command4 on shown|Command2 off shown|drives")
                                  + QStringLiteral(" on").repeated(drives));
}

QTEST_MAIN(TestUiForm1Scan)
#include "tst_ui_form1_scan.moc"
