// UDisksArrivals against a fake UDisks2 daemon on a private session bus.
// The fake is this program started again with --fake-udisks ADDRESS: it
// serves the daemon's objects for two drives (sr0, sr1) and a control
// object through which the test inserts and removes discs.

#include "platform/udisks/UDisksArrivals.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using namespace kobrix;

using InterfaceMap = QMap<QString, QVariantMap>;
using ObjectMap = QMap<QDBusObjectPath, InterfaceMap>;
Q_DECLARE_METATYPE(kobrix::DiscLocation)

namespace {

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kRoot = QStringLiteral("/org/freedesktop/UDisks2");
const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kDrive = QStringLiteral("org.freedesktop.UDisks2.Drive");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString kControlPath = QStringLiteral("/org/kobrix/FakeUDisks");
const QString kControl = QStringLiteral("org.kobrix.FakeUDisks");
const QString kMountPoint = QStringLiteral("/media/fake/DISC");

QString blockPath(const QString &name) { return kRoot + QStringLiteral("/block_devices/") + name; }
QString drivePath(const QString &name) { return kRoot + QStringLiteral("/drives/Drive_") + name; }

// The fake daemon: each drive's disc is nothing, or one of the kinds Insert
// takes ("mounted", "mountable", "refused": Mount fails, "nofs": no file
// system, as an audio disc).
class FakeUDisks : public QDBusVirtualObject
{
public:
    explicit FakeUDisks(QDBusConnection bus) : m_bus(bus) {}

    QString introspect(const QString &) const override { return QString(); }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &) override
    {
        const QString path = message.path();
        const QString member = message.member();
        const QString name = path.section(QLatin1Char('/'), -1).section(QLatin1Char('_'), -1);
        QDBusMessage reply = message.createReply();
        if (member == QLatin1String("GetManagedObjects")) {
            ObjectMap objects;
            for (const QString &drive : {QStringLiteral("sr0"), QStringLiteral("sr1")}) {
                objects.insert(QDBusObjectPath(blockPath(drive)), blockInterfaces(drive));
                objects.insert(QDBusObjectPath(drivePath(drive)),
                               InterfaceMap{{kDrive, driveProperties(drive)}});
            }
            reply << QVariant::fromValue(objects);
        } else if (member == QLatin1String("Insert")) {
            insert(message.arguments().at(0).toString(), message.arguments().at(1).toString());
        } else if (member == QLatin1String("Hold")) {
            // Busy from now on, without the watcher told (someone else
            // holds the disc).
            m_discs[message.arguments().at(0).toString()] = QStringLiteral("mounted");
        } else if (member == QLatin1String("Remove")) {
            remove(message.arguments().at(0).toString());
        } else if (member == QLatin1String("Calls")) {
            reply << m_calls;
        } else if (member == QLatin1String("Mount")) {
            m_calls << QStringLiteral("Mount ") + name;
            if (m_discs.value(name) == QLatin1String("refused")) {
                reply = message.createErrorReply(
                    QStringLiteral("org.freedesktop.UDisks2.Error.NotAuthorized"),
                    QStringLiteral("Not authorized to perform operation"));
            } else {
                m_discs[name] = QStringLiteral("mounted");
                changed(blockPath(name), kFilesystem, filesystemProperties(name));
                reply << kMountPoint;
            }
        } else if (member == QLatin1String("Unmount")) {
            m_calls << QStringLiteral("Unmount ") + name;
            m_discs[name] = QStringLiteral("mountable");
            changed(blockPath(name), kFilesystem, filesystemProperties(name));
        } else if (member == QLatin1String("Eject")) {
            m_calls << QStringLiteral("Eject ") + name;
            if (m_discs.value(name) == QLatin1String("mounted")) {
                reply = message.createErrorReply(
                    QStringLiteral("org.freedesktop.UDisks2.Error.DeviceBusy"),
                    QStringLiteral("The drive is in use"));
            } else {
                remove(name);
            }
        } else {
            return false;
        }
        m_bus.send(reply);
        return true;
    }

private:
    bool hasFilesystem(const QString &drive) const
    {
        const QString disc = m_discs.value(drive);
        return !disc.isEmpty() && disc != QLatin1String("nofs");
    }
    QVariantMap filesystemProperties(const QString &drive) const
    {
        QList<QByteArray> points;
        if (m_discs.value(drive) == QLatin1String("mounted"))
            points << kMountPoint.toUtf8() + '\0';
        return {{QStringLiteral("MountPoints"), QVariant::fromValue(points)}};
    }
    QVariantMap driveProperties(const QString &drive) const
    {
        return {{QStringLiteral("MediaAvailable"), !m_discs.value(drive).isEmpty()}};
    }
    InterfaceMap blockInterfaces(const QString &drive) const
    {
        InterfaceMap interfaces{
            {kBlock,
             {{QStringLiteral("Device"), QByteArray("/dev/" + drive.toUtf8() + '\0')},
              {QStringLiteral("Drive"), QVariant::fromValue(QDBusObjectPath(drivePath(drive)))},
              {QStringLiteral("IdUsage"),
               hasFilesystem(drive) ? QStringLiteral("filesystem") : QString()}}}};
        if (hasFilesystem(drive))
            interfaces.insert(kFilesystem, filesystemProperties(drive));
        return interfaces;
    }

    void changed(const QString &path, const QString &interface, const QVariantMap &properties)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            path, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"));
        signal << interface << properties << QStringList();
        m_bus.send(signal);
    }

    // As UDisks2 tells of a disc: the block device's usage first, the
    // drive's media, the file system's interface last.
    void insert(const QString &drive, const QString &kind)
    {
        m_discs[drive] = kind;
        if (hasFilesystem(drive)) {
            changed(blockPath(drive), kBlock,
                    {{QStringLiteral("IdUsage"), QStringLiteral("filesystem")}});
        }
        changed(drivePath(drive), kDrive, driveProperties(drive));
        if (hasFilesystem(drive)) {
            QDBusMessage added = QDBusMessage::createSignal(
                kRoot, QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                QStringLiteral("InterfacesAdded"));
            added << QVariant::fromValue(QDBusObjectPath(blockPath(drive)))
                  << QVariant::fromValue(InterfaceMap{{kFilesystem, filesystemProperties(drive)}});
            m_bus.send(added);
        }
    }

    void remove(const QString &drive)
    {
        const bool hadFilesystem = hasFilesystem(drive);
        m_discs.remove(drive);
        changed(drivePath(drive), kDrive, driveProperties(drive));
        if (hadFilesystem) {
            QDBusMessage removed = QDBusMessage::createSignal(
                kRoot, QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                QStringLiteral("InterfacesRemoved"));
            removed << QVariant::fromValue(QDBusObjectPath(blockPath(drive)))
                    << QStringList{kFilesystem};
            m_bus.send(removed);
        }
    }

    QDBusConnection m_bus;
    QHash<QString, QString> m_discs;
    QStringList m_calls;
};

void registerTypes()
{
    qDBusRegisterMetaType<QList<QByteArray>>();
    qDBusRegisterMetaType<InterfaceMap>();
    qDBusRegisterMetaType<ObjectMap>();
}

int runFake(const QString &address)
{
    registerTypes();
    QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("fake"));
    FakeUDisks fake(bus);
    if (!bus.registerVirtualObject(kRoot, &fake, QDBusConnection::SubPath)
        || !bus.registerVirtualObject(kControlPath, &fake) || !bus.registerService(kService))
        return 1;
    QTextStream(stdout) << "ready" << Qt::endl;
    return QCoreApplication::exec();
}

} // namespace

class TestUDisks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void arrivals_data();
    void arrivals();
    void removal();
    void discAlreadyIn();
    void otherDrive();
    void eject_data();
    void eject();
    void ejectRefused();
    void unknownDrive();
    void throughTheModule();

private:
    void control(const QString &method, const QVariantList &arguments = {});
    QStringList calls();

    QProcess m_daemon;
    QProcess m_fake;
    QString m_address;
    QDBusConnection m_bus{QString()};
};

void TestUDisks::initTestCase()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        QSKIP("dbus-daemon is not installed (Debian: dbus-daemon)");
    m_daemon.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                            QStringLiteral("--print-address")});
    QVERIFY(m_daemon.waitForReadyRead(10000));
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    QVERIFY(!m_address.isEmpty());
    m_bus = QDBusConnection::connectToBus(m_address, QStringLiteral("test"));
    QVERIFY(m_bus.isConnected());
    QVERIFY(!UDisksArrivals::available(m_bus));
}

void TestUDisks::cleanupTestCase()
{
    m_daemon.kill();
    m_daemon.waitForFinished();
}

// A daemon of its own for each case, with no disc in either drive.
void TestUDisks::init()
{
    m_fake.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--fake-udisks"), m_address});
    QVERIFY(m_fake.waitForReadyRead(10000));
    QCOMPARE(m_fake.readLine().trimmed(), QByteArray("ready"));
    QVERIFY(UDisksArrivals::available(m_bus));
}

void TestUDisks::cleanup()
{
    m_fake.kill();
    m_fake.waitForFinished();
}

void TestUDisks::control(const QString &method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kControlPath, kControl, method);
    call.setArguments(arguments);
    const QDBusMessage reply = m_bus.call(call);
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
}

QStringList TestUDisks::calls()
{
    const QDBusMessage reply = m_bus.call(
        QDBusMessage::createMethodCall(kService, kControlPath, kControl, QStringLiteral("Calls")));
    return reply.arguments().value(0).toStringList();
}

void TestUDisks::arrivals_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<DiscLocation::Kind>("where");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("calls");
    const QString device = QStringLiteral("/dev/sr0");
    QTest::newRow("mounted by the desktop")
        << "mounted" << DiscLocation::Kind::Folder << kMountPoint << QStringList();
    QTest::newRow("mounted when asked") << "mountable" << DiscLocation::Kind::Folder << kMountPoint
                                        << QStringList{QStringLiteral("Mount sr0")};
    QTest::newRow("mount refused") << "refused" << DiscLocation::Kind::Device << device
                                   << QStringList{QStringLiteral("Mount sr0")};
    QTest::newRow("no file system")
        << "nofs" << DiscLocation::Kind::Device << device << QStringList();
}

// A disc inserted arrives once, where it can be read.
void TestUDisks::arrivals()
{
    QFETCH(QString, kind);
    QFETCH(DiscLocation::Kind, where);
    QFETCH(QString, path);
    QFETCH(QStringList, calls);
    UDisksArrivals arrivals(m_bus);
    QSignalSpy spy(&arrivals, &DiscArrivals::discArrived);
    QString error;
    QVERIFY2(arrivals.watch(QStringLiteral("/dev/sr0"), &error), qPrintable(error));
    control(QStringLiteral("Insert"), {QStringLiteral("sr0"), kind});
    QVERIFY(spy.wait(10000));
    QCOMPARE(spy.first().at(0).toString(), QStringLiteral("/dev/sr0"));
    const auto disc = spy.first().at(1).value<DiscLocation>();
    QCOMPARE(disc.kind, where);
    QCOMPARE(disc.path, path);
    QCOMPARE(this->calls(), calls);
    // Nothing more comes of it: a round trip to the daemon lets every
    // signal it sent arrive.
    this->calls();
    QCoreApplication::processEvents();
    QCOMPARE(spy.size(), 1);
}

// A disc taken out is removed; the next one arrives again.
void TestUDisks::removal()
{
    UDisksArrivals arrivals(m_bus);
    QSignalSpy arrived(&arrivals, &DiscArrivals::discArrived);
    QSignalSpy removed(&arrivals, &DiscArrivals::discRemoved);
    QVERIFY(arrivals.watch(QStringLiteral("/dev/sr0"), nullptr));
    for (int round = 1; round <= 2; ++round) {
        control(QStringLiteral("Insert"), {QStringLiteral("sr0"), QStringLiteral("mounted")});
        QVERIFY(arrived.wait(10000));
        control(QStringLiteral("Remove"), {QStringLiteral("sr0")});
        QVERIFY(removed.wait(10000));
        QCOMPARE(arrived.size(), round);
        QCOMPARE(removed.size(), round);
    }
}

void TestUDisks::discAlreadyIn()
{
    control(QStringLiteral("Insert"), {QStringLiteral("sr0"), QStringLiteral("mounted")});
    UDisksArrivals arrivals(m_bus);
    QSignalSpy spy(&arrivals, &DiscArrivals::discArrived);
    QVERIFY(arrivals.watch(QStringLiteral("/dev/sr0"), nullptr));
    QVERIFY(spy.wait(10000));
    QCOMPARE(spy.first().at(1).value<DiscLocation>().path, kMountPoint);
}

// A disc in the drive not watched is not heard of.
void TestUDisks::otherDrive()
{
    UDisksArrivals arrivals(m_bus);
    QSignalSpy spy(&arrivals, &DiscArrivals::discArrived);
    QVERIFY(arrivals.watch(QStringLiteral("/dev/sr0"), nullptr));
    control(QStringLiteral("Insert"), {QStringLiteral("sr1"), QStringLiteral("nofs")});
    control(QStringLiteral("Insert"), {QStringLiteral("sr0"), QStringLiteral("mounted")});
    QVERIFY(spy.wait(10000));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.first().at(1).value<DiscLocation>().path, kMountPoint);
}

void TestUDisks::eject_data()
{
    QTest::addColumn<bool>("watching");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("calls");
    const QStringList unmountFirst{QStringLiteral("Unmount sr0"), QStringLiteral("Eject sr0")};
    QTest::newRow("mounted, watched") << true << "mounted" << unmountFirst;
    QTest::newRow("mounted, not watched") << false << "mounted" << unmountFirst;
    QTest::newRow("not mounted") << true << "nofs" << QStringList{QStringLiteral("Eject sr0")};
}

// The tray is opened through the drive's Eject, a mounted disc unmounted
// first; the disc that leaves is removed.
void TestUDisks::eject()
{
    QFETCH(bool, watching);
    QFETCH(QString, kind);
    QFETCH(QStringList, calls);
    control(QStringLiteral("Insert"), {QStringLiteral("sr0"), kind});
    UDisksArrivals arrivals(m_bus);
    QSignalSpy arrived(&arrivals, &DiscArrivals::discArrived);
    QSignalSpy removed(&arrivals, &DiscArrivals::discRemoved);
    if (watching) {
        QVERIFY(arrivals.watch(QStringLiteral("/dev/sr0"), nullptr));
        QVERIFY(arrived.wait(10000));
    }
    QSignalSpy failed(&arrivals, &DiscArrivals::ejectFailed);
    const RuntimeError error = arrivals.eject(QStringLiteral("/dev/sr0"));
    QVERIFY2(!error.number(), qPrintable(error.numberAndDescription()));
    QTRY_COMPARE(this->calls(), calls);
    // The removal may have come while the calls were awaited: waiting for
    // another one would miss it.
    if (watching)
        QTRY_VERIFY_WITH_TIMEOUT(!removed.isEmpty(), 10000);
    QCOMPARE(failed.size(), 0);
}

// A drive that refuses to open (the fake refuses while the disc is
// mounted; here the watcher asks it while it still believes the disc is
// not) is said to have refused, after eject() returned.
void TestUDisks::ejectRefused()
{
    control(QStringLiteral("Insert"), {QStringLiteral("sr0"), QStringLiteral("nofs")});
    UDisksArrivals arrivals(m_bus);
    QSignalSpy arrived(&arrivals, &DiscArrivals::discArrived);
    QVERIFY(arrivals.watch(QStringLiteral("/dev/sr0"), nullptr));
    QVERIFY(arrived.wait(10000));
    QSignalSpy failed(&arrivals, &DiscArrivals::ejectFailed);
    control(QStringLiteral("Hold"), {QStringLiteral("sr0")});
    QVERIFY(!arrivals.eject(QStringLiteral("/dev/sr0")).number());
    QVERIFY(failed.wait(10000));
    QCOMPARE(failed.first().at(0).toString(), QStringLiteral("/dev/sr0"));
    QVERIFY(failed.first().at(1).value<RuntimeError>().number() != 0);
}

void TestUDisks::unknownDrive()
{
    UDisksArrivals arrivals(m_bus);
    QString error;
    QVERIFY(!arrivals.watch(QStringLiteral("/dev/sr7"), &error));
    QVERIFY(error.contains(QLatin1String("/dev/sr7")));
    QCOMPARE(arrivals.eject(QStringLiteral("/dev/sr7")).number(), int(DeviceUnavailable));
}

// The programs reach the watcher through its module, loaded when a drive
// is first watched (the system bus here is the private one): a disc
// arrives, an eject goes out, and a refusal comes back, all through it.
void TestUDisks::throughTheModule()
{
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.toUtf8());
    control(QStringLiteral("Insert"), {QStringLiteral("sr0"), QStringLiteral("mounted")});
    const std::unique_ptr<DiscArrivals> arrivals = systemDiscArrivals();
    QSignalSpy arrived(arrivals.get(), &DiscArrivals::discArrived);
    QSignalSpy failed(arrivals.get(), &DiscArrivals::ejectFailed);
    QString error;
    QVERIFY2(arrivals->watch(QStringLiteral("/dev/sr0"), &error), qPrintable(error));
    QVERIFY(arrived.wait(10000));
    QCOMPARE(arrived.first().at(1).value<DiscLocation>().path, kMountPoint);
    QVERIFY(!arrivals->eject(QStringLiteral("/dev/sr0")).number());
    QTRY_COMPARE(calls(), QStringList({QStringLiteral("Unmount sr0"), QStringLiteral("Eject sr0")}));
    control(QStringLiteral("Insert"), {QStringLiteral("sr0"), QStringLiteral("nofs")});
    control(QStringLiteral("Hold"), {QStringLiteral("sr0")});
    QVERIFY(!arrivals->eject(QStringLiteral("/dev/sr0")).number());
    QVERIFY(failed.wait(10000));
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--fake-udisks") == 0)
        return runFake(QString::fromLocal8Bit(argv[2]));
    TestUDisks test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform_udisks.moc"
