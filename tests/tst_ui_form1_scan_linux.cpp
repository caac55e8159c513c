// The main window's drive buttons over the Linux drive source, with a fixture
// sysfs tree, mount table and device folder: a disc that no one mounted is
// read from its device.

#include "UiTestSupport.h"
#include "platform/LinuxDriveSource.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

class TestUiForm1ScanLinux : public QObject
{
    Q_OBJECT
private slots:
    void unmountedDrive_data();
    void unmountedDrive();
};

void TestUiForm1ScanLinux::unmountedDrive_data()
{
    QTest::addColumn<QString>("drive");
    QTest::addColumn<QStringList>("listing");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("message"); // the start of it; %1 the device
    QTest::newRow("disc nobody mounted") << "/dev/sr0" << sampleDiscListing() << "Total: 4 files"
                                         << QString();
    QTest::newRow("empty drive")
        << "/dev/sr1" << QStringList() << "File Count"
        << "This Drive is unavailable Please insert a CD or Close the CD Drive Door";
    QTest::newRow("no data disc") << "/dev/sr2" << QStringList() << "File Count"
                                  << "Error scanning %1\r\r57 - Not a data disc that can be read";
}

// The drive button of a drive whose disc no one mounted lists the disc, read
// from the drive's device (an image file here); an empty drive is still
// unavailable.
void TestUiForm1ScanLinux::unmountedDrive()
{
    QFETCH(QString, drive);
    QFETCH(QStringList, listing);
    QFETCH(QString, status);
    QFETCH(QString, message);
    if (!hasXorriso())
        QSKIP("xorriso is not installed");

    QTemporaryDir sys;
    const QString block = sys.filePath(QStringLiteral("block"));
    const QString devices = sys.filePath(QStringLiteral("dev"));
    for (int i = 0; i < 3; ++i) {
        writeFile(block, QStringLiteral("sr%1/device/type").arg(i), "5\n");
        writeFile(block, QStringLiteral("sr%1/dev").arg(i), QByteArray("11:") + QByteArray::number(i));
    }
    writeFile(sys.path(), QStringLiteral("mountinfo"), "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n");
    makeSampleDisc(sys.filePath(QStringLiteral("disc")));
    makeDir(devices, QStringLiteral("."));
    QVERIFY(runXorriso({"-outdev", devices + QStringLiteral("/sr0"), "-map",
                        sys.filePath(QStringLiteral("disc")), "/"}));
    writeFile(devices, QStringLiteral("sr2"), QByteArray(100000, 'x'));
    LinuxDriveSource drives(block, sys.filePath(QStringLiteral("mountinfo")), devices);

    ScriptedServices io;
    UiServices services = io.services();
    services.drives = &drives;
    Form1 f(services, WorkMode::NewCatalog);
    QVERIFY(f.toolbarButton(drive));
    f.toolbarButton(drive)->trigger();

    QCOMPARE(toStringList(f.session().catalog().lines()), listing);
    QCOMPARE(f.statusText(), status);
    if (message.isEmpty()) {
        QCOMPARE(io.messages.texts(), QStringList());
    } else {
        QCOMPARE(io.messages.shown.size(), std::size_t(1));
        const QString device = devices + drive.mid(4);
        QVERIFY2(io.messages.last()->text.startsWith(message.arg(device)),
                 qPrintable(io.messages.last()->text));
        QCOMPARE(io.messages.last()->icon, MessageIcon::Critical);
    }
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(TestUiForm1ScanLinux)
#include "tst_ui_form1_scan_linux.moc"
