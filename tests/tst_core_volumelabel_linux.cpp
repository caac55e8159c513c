// The label of a mounted folder on Linux: the device mounted at exactly that
// folder, found in a fixture mount table, is read as a disc image; udev's
// by-label links stand in when it cannot be; a real loop mount where the
// system lets the tests mount.

#include "TestSupport.h"
#include "platform/VolumeLabels.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

class TestCoreVolumeLabelLinux : public QObject
{
    Q_OBJECT
private slots:
    void mountedFolder_data();
    void mountedFolder();
    void udevNames_data();
    void udevNames();
    void loopMount();
};

void TestCoreVolumeLabelLinux::mountedFolder_data()
{
    // In mountinfo and link targets: %M the mount folder ("disc one", written
    // with its octal escape), %I the labelled image, %G a file that is no
    // disc image, %X a device that is not there.
    QTest::addColumn<QString>("mountinfo");
    QTest::addColumn<QStringList>("links"); // "name=target" in the by-label folder
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("error");
    const QString root = QStringLiteral("22 1 8:1 / / rw - ext4 /dev/sda1 rw\n");
    QTest::newRow("image mounted there")
        << root + "40 22 7:0 / %M ro - iso9660 %I ro\n" << QStringList() << "Fotos 2019" << 0;
    QTest::newRow("not a mount point") << root << QStringList{"Other=%I"} << "" << 0;
    QTest::newRow("mounted above the folder")
        << root + "40 22 7:0 / %M/inner ro - iso9660 %I ro\n" << QStringList() << "" << 0;
    QTest::newRow("later mount hides the earlier")
        << root + "40 22 7:0 / %M ro - iso9660 %I ro\n41 22 7:1 / %M ro - vfat %G ro\n"
        << QStringList{"USB\\x20Stick\\x2fA=%G"} << "USB Stick/A" << 0;
    QTest::newRow("device no image: udev's link")
        << root + "40 22 7:0 / %M ro - vfat %G ro\n" << QStringList{"Other=%I", "Stick=%G"}
        << "Stick" << 0;
    QTest::newRow("device no image, no link")
        << root + "40 22 7:0 / %M ro - vfat %G ro\n" << QStringList{"Other=%I"} << "" << 0;
    QTest::newRow("device gone") << root + "40 22 7:0 / %M ro - iso9660 %X ro\n" << QStringList()
                                 << "" << int(FileNotFound);
    QTest::newRow("source no path") << root + "40 22 0:50 / %M ro - tmpfs tmpfs rw\n"
                                    << QStringList() << "" << 0;
}

void TestCoreVolumeLabelLinux::mountedFolder()
{
    QFETCH(QString, mountinfo);
    QFETCH(QStringList, links);
    QFETCH(QString, label);
    QFETCH(int, error);
    if (!hasXorriso())
        QSKIP("xorriso is not installed");
    QTemporaryDir dir;
    const QString base = QFileInfo(dir.path()).canonicalFilePath();
    const QString folder = base + QStringLiteral("/disc one");
    makeDir(base, QStringLiteral("disc one/inner"));
    writeFile(base, QStringLiteral("content/a.txt"), "a");
    const QString image = base + QStringLiteral("/disc.iso");
    QVERIFY(runXorriso({"-outdev", image, "-volid", "Fotos 2019", "-joliet", "on", "-map",
                        base + QStringLiteral("/content"), "/"}));
    writeFile(base, QStringLiteral("garbage"), QByteArray(100000, 'x'));
    const auto fill = [&](QString text) {
        return text.replace(QLatin1String("%M"), base + QStringLiteral("/disc\\040one"))
            .replace(QLatin1String("%I"), image)
            .replace(QLatin1String("%G"), base + QStringLiteral("/garbage"))
            .replace(QLatin1String("%X"), base + QStringLiteral("/sr9"));
    };
    writeFile(base, QStringLiteral("mountinfo"), fill(mountinfo).toUtf8());
    makeDir(base, QStringLiteral("by-label"));
    for (const QString &link : links) {
        const qsizetype eq = link.indexOf(u'=');
        QVERIFY(QFile::link(fill(link.mid(eq + 1)), base + "/by-label/" + link.left(eq)));
    }
    RuntimeError readError;
    QCOMPARE(mountedFolderLabel(folder, base + QStringLiteral("/mountinfo"),
                                base + QStringLiteral("/by-label"), &readError),
             label);
    QCOMPARE(readError.number(), error);
}

void TestCoreVolumeLabelLinux::udevNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("blank") << "My\\x20Disc" << "My Disc";
    QTest::newRow("UTF-8 bytes") << "\\xd0\\x94\\xd0\\xb8\\xd1\\x81\\xd0\\xba" << "Диск";
    QTest::newRow("kept as UTF-8") << "Диск" << "Диск";
    QTest::newRow("no hex after \\x") << "A\\xzz\\x4" << "A\\xzz\\x4";
}

void TestCoreVolumeLabelLinux::udevNames()
{
    QFETCH(QString, name);
    QFETCH(QString, decoded);
    QCOMPARE(decodeUdevName(name), decoded);
}

// A disc image mounted for real: its folder has the image's label. Needs the
// right to mount and the kernel's ISO 9660 support.
void TestCoreVolumeLabelLinux::loopMount()
{
    if (!hasXorriso())
        QSKIP("xorriso is not installed");
    QTemporaryDir dir;
    writeFile(dir.path(), QStringLiteral("content/a.txt"), "a");
    makeDir(dir.path(), QStringLiteral("mnt"));
    const QString image = dir.filePath(QStringLiteral("disc.iso"));
    QVERIFY(runXorriso({"-outdev", image, "-volid", "Loop Disc", "-joliet", "on", "-map",
                        dir.filePath(QStringLiteral("content")), "/"}));
    const QString mountPoint = dir.filePath(QStringLiteral("mnt"));
    QProcess mount;
    mount.start(QStringLiteral("mount"), {"-o", "loop,ro", image, mountPoint});
    if (!mount.waitForFinished(30000) || mount.exitStatus() != QProcess::NormalExit
        || mount.exitCode() != 0)
        QSKIP(qPrintable("this system does not let the tests mount a disc image: "
                         + QString::fromLocal8Bit(mount.readAllStandardError()).trimmed()));
    RuntimeError error;
    const QString label = discLabel({DiscLocation::Kind::Folder, mountPoint}, &error);
    QProcess::execute(QStringLiteral("umount"), {mountPoint});
    QCOMPARE(label, QStringLiteral("Loop Disc"));
    QCOMPARE(error.number(), int(NoError));
}

QTEST_GUILESS_MAIN(TestCoreVolumeLabelLinux)
#include "tst_core_volumelabel_linux.moc"
