// The Linux drive source over fixture sysfs trees and mount tables: the
// drives it lists, the device and mount point of each, and a disc that is in
// the drive but not mounted.

#include "TestSupport.h"
#include "platform/DriveDiscovery.h"
#include "platform/LinuxDriveSource.h"
#include "scan/DiscImageReader.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;

namespace {

// A block device under a fixture sysfs class folder.
void addBlockDevice(const QString &sysBlock, const QString &name, const QString &scsiType,
                    const QString &majorMinor, bool removable = false)
{
    test::makeDir(sysBlock, name);
    if (!scsiType.isNull())
        test::writeFile(sysBlock, name + QStringLiteral("/device/type"), scsiType.toUtf8() + "\n");
    if (!majorMinor.isNull())
        test::writeFile(sysBlock, name + QStringLiteral("/dev"), majorMinor.toUtf8() + "\n");
    test::writeFile(sysBlock, name + QStringLiteral("/removable"), removable ? "1\n" : "0\n");
}

} // namespace

class TestCoreDrivesLinux : public QObject
{
    Q_OBJECT
private slots:
    void linuxDriveList();
    void linuxResolve_data();
    void linuxResolve();
    void linuxUnmountedDisc_data();
    void linuxUnmountedDisc();
};

void TestCoreDrivesLinux::linuxDriveList()
{
    QTemporaryDir sys;
    QVERIFY(sys.isValid());
    const QString block = sys.path();
    addBlockDevice(block, QStringLiteral("sda"), QStringLiteral("0"), QStringLiteral("8:0"));
    addBlockDevice(block, QStringLiteral("sda1"), QString(), QStringLiteral("8:1"));
    addBlockDevice(block, QStringLiteral("sr10"), QStringLiteral("5"), QStringLiteral("11:10"));
    addBlockDevice(block, QStringLiteral("sr2"), QStringLiteral("5"), QStringLiteral("11:2"));
    addBlockDevice(block, QStringLiteral("sdb"), QStringLiteral("0"), QStringLiteral("8:16"), true);
    addBlockDevice(block, QStringLiteral("nvme0n1"), QString(), QStringLiteral("259:0"));

    LinuxDriveSource source(block, sys.filePath(QStringLiteral("mountinfo")));
    const QStringList all = kobrix::splitDriveList(source.logicalDriveStrings());
    QCOMPARE(all, (QStringList{QStringLiteral("/dev/nvme0n1"), QStringLiteral("/dev/sda"),
                               QStringLiteral("/dev/sda1"), QStringLiteral("/dev/sdb"),
                               QStringLiteral("/dev/sr2"), QStringLiteral("/dev/sr10")}));
    // Natural order: sr2 before sr10, as drive letters come in order.
    QCOMPARE(kobrix::findCdDrives(source),
             (QStringList{QStringLiteral("/dev/sr2"), QStringLiteral("/dev/sr10")}));
    QCOMPARE(source.driveType(QStringLiteral("/dev/sdb")), 2);
    QCOMPARE(source.driveType(QStringLiteral("/dev/sda")), 3);
    QCOMPARE(source.driveType(QStringLiteral("/dev/sr9")), 1);
    QCOMPARE(source.caption(QStringLiteral("/dev/sr2")), QStringLiteral("SR2"));
}

void TestCoreDrivesLinux::linuxResolve_data()
{
    QTest::addColumn<QByteArray>("mountInfo");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("folder");

    const QByteArray rootFs = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n";
    QTest::newRow("mounted, found by device number")
        << (rootFs + "41 22 11:0 / /media/user/DISC rw,nosuid shared:7 - iso9660 /dev/sr0 ro\n")
        << QStringLiteral("/dev/sr0") << 0 << QStringLiteral("/media/user/DISC");
    QTest::newRow("mount point with escaped blank, tab and backslash")
        << (rootFs + "41 22 11:0 / /media/user/MY\\040DISC\\011X\\134 rw - udf /dev/sr0 ro\n")
        << QStringLiteral("/dev/sr0") << 0 << QStringLiteral("/media/user/MY DISC\tX\\");
    QTest::newRow("incomplete escape kept")
        << (rootFs + "41 22 11:0 / /media/a\\04 rw - udf /dev/sr0 ro\n")
        << QStringLiteral("/dev/sr0") << 0 << QStringLiteral("/media/a\\04");
    QTest::newRow("found by mount source when numbers differ")
        << (rootFs + "41 22 0:99 / /mnt/cd rw - iso9660 /dev/sr0 ro\n")
        << QStringLiteral("/dev/sr0") << 0 << QStringLiteral("/mnt/cd");
    QTest::newRow("whole disc preferred over a bind mount of a folder")
        << (rootFs + "40 22 11:0 /DATA /srv/data rw - iso9660 /dev/sr0 ro\n"
            + "41 22 11:0 / /media/cd rw - iso9660 /dev/sr0 ro\n")
        << QStringLiteral("/dev/sr0") << 0 << QStringLiteral("/media/cd");
    QTest::newRow("several optional fields")
        << (rootFs + "41 22 11:0 / /media/cd rw shared:7 master:2 propagate_from:1 - iso9660 "
                     "/dev/sr0 ro\n")
        << QStringLiteral("/dev/sr0") << 0 << QStringLiteral("/media/cd");
    QTest::newRow("another drive mounted, not this one")
        << (rootFs + "41 22 11:1 / /media/cd1 rw - iso9660 /dev/sr1 ro\n")
        << QStringLiteral("/dev/sr0") << int(DeviceUnavailable) << QString();
    QTest::newRow("no disc mounted") << rootFs << QStringLiteral("/dev/sr0")
                                     << int(DeviceUnavailable) << QString();
    QTest::newRow("malformed lines skipped")
        << (QByteArray("garbage\n41 22 11:0 / /x\n") + rootFs) << QStringLiteral("/dev/sr0")
        << int(DeviceUnavailable) << QString();
}

void TestCoreDrivesLinux::linuxResolve()
{
    QFETCH(QByteArray, mountInfo);
    QFETCH(QString, key);
    QFETCH(int, error);
    QFETCH(QString, folder);

    QTemporaryDir sys;
    QVERIFY(sys.isValid());
    const QString block = sys.filePath(QStringLiteral("block"));
    addBlockDevice(block, QStringLiteral("sr0"), QStringLiteral("5"), QStringLiteral("11:0"));
    addBlockDevice(block, QStringLiteral("sr1"), QStringLiteral("5"), QStringLiteral("11:1"));
    test::writeFile(sys.path(), QStringLiteral("mountinfo"), mountInfo);

    LinuxDriveSource source(block, sys.filePath(QStringLiteral("mountinfo")),
                            sys.filePath(QStringLiteral("dev")));
    DiscLocation resolved;
    const RuntimeError result = source.resolveRoot(key, resolved);
    QCOMPARE(result.number(), error);
    if (!error) {
        QCOMPARE(resolved.path, folder);
        QCOMPARE(resolved.kind, DiscLocation::Kind::Folder);
    }
}

void TestCoreDrivesLinux::linuxUnmountedDisc_data()
{
    QTest::addColumn<QString>("inDrive"); // "image", "unreadable", "mounted" or "" for none
    QTest::addColumn<int>("resolveError");
    QTest::addColumn<int>("readError");
    QTest::newRow("disc nobody mounted") << "image" << 0 << 0;
    QTest::newRow("disc nobody mounted, no data disc") << "unreadable" << 0 << 57;
    QTest::newRow("empty drive") << QString() << 68 << 0;
    QTest::newRow("mounted disc") << "mounted" << 0 << 0;
}

// A disc that no one mounted is read from the drive's device (here an image
// file standing in for it), as the window reads it; an empty drive stays
// unavailable.
void TestCoreDrivesLinux::linuxUnmountedDisc()
{
    QFETCH(QString, inDrive);
    QFETCH(int, resolveError);
    QFETCH(int, readError);
    if (!test::hasXorriso())
        QSKIP("xorriso is not installed");

    QTemporaryDir sys;
    QVERIFY(sys.isValid());
    const QString block = sys.filePath(QStringLiteral("block"));
    const QString devices = sys.filePath(QStringLiteral("dev"));
    const QString discFolder = sys.filePath(QStringLiteral("disc"));
    addBlockDevice(block, QStringLiteral("sr0"), QStringLiteral("5"), QStringLiteral("11:0"));
    test::makeDir(devices, QStringLiteral("."));
    test::writeFile(discFolder, QStringLiteral("SETUP.EXE"), "x");
    test::writeFile(discFolder, QStringLiteral("DATA/LEVEL1.DAT"), "x");
    QByteArray mountInfo = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n";
    if (inDrive == QLatin1String("mounted"))
        mountInfo += "41 22 11:0 / " + QFile::encodeName(discFolder) + " ro - iso9660 /dev/sr0 ro\n";
    test::writeFile(sys.path(), QStringLiteral("mountinfo"), mountInfo);
    const QString device = devices + QStringLiteral("/sr0");
    if (inDrive == QLatin1String("image"))
        QVERIFY(test::runXorriso({"-outdev", device, "-map", discFolder, "/"}));
    if (inDrive == QLatin1String("unreadable"))
        test::writeFile(devices, QStringLiteral("sr0"), QByteArray(100000, 'x'));

    LinuxDriveSource source(block, sys.filePath(QStringLiteral("mountinfo")), devices);
    DiscLocation disc;
    QCOMPARE(source.resolveRoot(QStringLiteral("/dev/sr0"), disc).number(), resolveError);
    if (resolveError)
        return;
    const bool mounted = inDrive == QLatin1String("mounted");
    QCOMPARE(disc.kind, mounted ? DiscLocation::Kind::Folder : DiscLocation::Kind::Device);
    QCOMPARE(disc.path, mounted ? discFolder : device);

    test::FolderReader folderReader;
    DiscImageReader deviceReader;
    deviceReader.openOnFirstRead(disc.path);
    DirectoryReader &reader = mounted ? static_cast<DirectoryReader &>(folderReader) : deviceReader;
    RuntimeError error;
    const QStringList listing = test::walkLines(reader, disc.path, &error);
    QCOMPARE(error.number(), readError);
    if (readError) {
        QVERIFY2(error.description().startsWith(QLatin1String("Not a data disc that can be read")),
                 qPrintable(error.description()));
        QCOMPARE(listing, QStringList());
    } else {
        QCOMPARE(listing, (QStringList{QStringLiteral("\\SETUP.EXE"), QStringLiteral("\\DATA\\LEVEL1.DAT")}));
    }
}

QTEST_GUILESS_MAIN(TestCoreDrivesLinux)
#include "tst_core_drives_linux.moc"
