// The kernel's device event messages, as the uevent netlink socket hands
// them over, read for what they say of a drive's disc.

#include "platform/Uevent.h"

#include <QTest>

using namespace kobrix;

Q_DECLARE_METATYPE(kobrix::Uevent::DriveEvent)

namespace {

const QByteArray kSr0Path =
    "/devices/pci0000:00/0000:00:1f.2/ata2/host1/target1:0:0/1:0:0:0/block/sr0";

// A message as the kernel writes it: the header, then each field and a NUL.
QByteArray message(const QByteArray &action, const QByteArray &devPath,
                   const QList<QByteArray> &extra)
{
    QByteArray text = action + '@' + devPath + '\0';
    text += "ACTION=" + action + '\0';
    text += "DEVPATH=" + devPath + '\0';
    for (const QByteArray &field : extra)
        text += field + '\0';
    return text;
}

QList<QByteArray> sr0Fields(const QByteArray &more = {})
{
    QList<QByteArray> fields{"SUBSYSTEM=block", "MAJOR=11", "MINOR=0", "DEVNAME=sr0",
                             "DEVTYPE=disk", "DISKSEQ=9", "SEQNUM=2911"};
    if (!more.isEmpty())
        fields.insert(1, more);
    return fields;
}

} // namespace

class TestUevent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void driveEvent_data();
    void driveEvent();
    void fields();
};

void TestUevent::driveEvent_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<Uevent::DriveEvent>("event");
    using E = Uevent::DriveEvent;
    const QString sr0 = QStringLiteral("/dev/sr0");
    QTest::newRow("disc inserted or taken out")
        << message("change", kSr0Path, sr0Fields("DISK_MEDIA_CHANGE=1")) << sr0 << true
        << E::MediaChanged;
    QTest::newRow("same, asked for by full device path")
        << message("change", kSr0Path, {"SUBSYSTEM=block", "DEVNAME=/dev/sr0",
                                         "DISK_MEDIA_CHANGE=1"})
        << sr0 << true << E::MediaChanged;
    QTest::newRow("another drive's disc")
        << message("change", kSr0Path, sr0Fields("DISK_MEDIA_CHANGE=1")) << "/dev/sr1" << true
        << E::None;
    QTest::newRow("a drive whose name begins the same")
        << message("change", kSr0Path.chopped(1) + "10",
                   {"SUBSYSTEM=block", "DEVNAME=sr10", "DISK_MEDIA_CHANGE=1"})
        << sr0 << true << E::None;
    QTest::newRow("eject button on a locked drive")
        << message("change", kSr0Path, sr0Fields("DISK_EJECT_REQUEST=1")) << sr0 << true
        << E::None;
    QTest::newRow("change without media change (udev's synthesised)")
        << message("change", kSr0Path, sr0Fields("SYNTH_UUID=0")) << sr0 << true << E::None;
    QTest::newRow("media change of a card reader")
        << message("change", "/devices/pci0000:00/usb1/1-1/host6/target6:0:0/6:0:0:0/block/sdb",
                   {"SUBSYSTEM=block", "DEVNAME=sdb", "DEVTYPE=disk", "DISK_MEDIA_CHANGE=1"})
        << sr0 << true << E::None;
    QTest::newRow("drive unplugged") << message("remove", kSr0Path, sr0Fields()) << sr0 << true
                                     << E::DriveRemoved;
    QTest::newRow("drive plugged in")
        << message("add", kSr0Path, sr0Fields()) << sr0 << true << E::None;
    QTest::newRow("a SCSI generic node of the same drive")
        << message("change", "/devices/pci0000:00/0000:00:1f.2/ata2/host1/target1:0:0/1:0:0:0/"
                             "scsi_generic/sg1",
                   {"SUBSYSTEM=scsi_generic", "DEVNAME=sr0", "DISK_MEDIA_CHANGE=1"})
        << sr0 << true << E::None;
    QTest::newRow("udevd's message") << QByteArray("libudev\0\xfe\xed\xca\xfe\x28\0\0\0", 16)
                                        + message("change", kSr0Path,
                                                  sr0Fields("DISK_MEDIA_CHANGE=1"))
                                     << sr0 << false << E::None;
    QTest::newRow("header and fields disagree")
        << message("change", kSr0Path, sr0Fields("DISK_MEDIA_CHANGE=1"))
               .replace("ACTION=change", "ACTION=remove")
        << sr0 << false << E::None;
    QTest::newRow("no path") << QByteArray("change@\0ACTION=change\0", 22) << sr0 << false
                             << E::None;
    QTest::newRow("empty") << QByteArray() << sr0 << false << E::None;
}

void TestUevent::driveEvent()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QString, device);
    QFETCH(bool, parsed);
    QFETCH(Uevent::DriveEvent, event);
    const auto uevent = Uevent::parse(datagram);
    QCOMPARE(uevent.has_value(), parsed);
    if (uevent)
        QCOMPARE(uevent->eventFor(device), event);
}

// Every field is kept, values with '=' in them whole.
void TestUevent::fields()
{
    const auto uevent = Uevent::parse(
        message("change", kSr0Path, sr0Fields("ID_FS_LABEL=A=B")) + QByteArray("\0\0", 2));
    QVERIFY(uevent);
    QCOMPARE(uevent->action, QByteArray("change"));
    QCOMPARE(uevent->devPath, kSr0Path);
    QCOMPARE(uevent->field("ID_FS_LABEL"), QByteArray("A=B"));
    QCOMPARE(uevent->field("SEQNUM"), QByteArray("2911"));
    QCOMPARE(uevent->fields.size(), 10);
}

QTEST_GUILESS_MAIN(TestUevent)
#include "tst_core_uevent.moc"
