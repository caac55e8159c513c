#include "platform/udisks/UDisksArrivals.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QMap>

namespace kobrix {

namespace {

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kRootPath = QStringLiteral("/org/freedesktop/UDisks2");
const QString kObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kDrive = QStringLiteral("org.freedesktop.UDisks2.Drive");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");

using InterfaceMap = QMap<QString, QVariantMap>;
using ObjectMap = QMap<QDBusObjectPath, InterfaceMap>;

// A message argument or property value of a compound D-Bus type, which
// QtDBus hands over still marshalled.
template <typename T>
T unmarshalled(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QDBusArgument>()) {
        T result;
        qvariant_cast<QDBusArgument>(value) >> result;
        return result;
    }
    return qvariant_cast<T>(value);
}

QHash<QString, QVariantMap> toHash(const InterfaceMap &map)
{
    QHash<QString, QVariantMap> hash;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        hash.insert(it.key(), it.value());
    return hash;
}

QDBusMessage callOf(const QString &path, const QString &interface, const QString &method)
{
    return QDBusMessage::createMethodCall(kService, path, interface, method);
}

// The D-Bus error of a UDisks2 call as the program's error numbers.
RuntimeError errorOf(const QDBusMessage &reply)
{
    const QString name = reply.errorName();
    const int number = name.endsWith(QLatin1String(".NotAuthorized"))
            || name.endsWith(QLatin1String(".NotAuthorizedCanObtain"))
        ? PermissionDenied
        : name.endsWith(QLatin1String(".NoReply"))
            || name.endsWith(QLatin1String(".ServiceUnknown"))
        ? DeviceUnavailable
        : DeviceIoError;
    return RuntimeError(number, reply.errorMessage());
}

} // namespace

UDisksArrivals::UDisksArrivals(QDBusConnection bus, QObject *parent)
    : DiscArrivals(parent), m_bus(std::move(bus))
{
}

UDisksArrivals::~UDisksArrivals()
{
    stopWatching();
}

bool UDisksArrivals::available(const QDBusConnection &bus)
{
    if (!bus.isConnected() || !bus.interface())
        return false;
    if (bus.interface()->isServiceRegistered(kService))
        return true;
    const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames")));
    return reply.type() == QDBusMessage::ReplyMessage
        && reply.arguments().value(0).toStringList().contains(kService);
}

QString UDisksArrivals::byteString(const QVariant &value)
{
    QByteArray bytes = unmarshalled<QByteArray>(value);
    while (bytes.endsWith('\0'))
        bytes.chop(1);
    return QFile::decodeName(bytes);
}

void UDisksArrivals::connectSignals(bool on)
{
    auto hook = [this, on](const QString &path, const QString &interface, const QString &name,
                           const char *slot) {
        if (on)
            m_bus.connect(kService, path, interface, name, this, slot);
        else
            m_bus.disconnect(kService, path, interface, name, this, slot);
    };
    hook(kRootPath, kObjectManager, QStringLiteral("InterfacesAdded"),
         SLOT(interfacesAdded(QDBusMessage)));
    hook(kRootPath, kObjectManager, QStringLiteral("InterfacesRemoved"),
         SLOT(interfacesRemoved(QDBusMessage)));
    // Every object of the service: the drive's object is known only once
    // the objects have been read, and signals must not be missed before.
    hook(QString(), kProperties, QStringLiteral("PropertiesChanged"),
         SLOT(propertiesChanged(QDBusMessage)));
}

bool UDisksArrivals::watch(const QString &drive, QString *error)
{
    stopWatching();
    connectSignals(true);
    const QDBusMessage reply = m_bus.call(callOf(kRootPath, kObjectManager,
                                                 QStringLiteral("GetManagedObjects")));
    if (reply.type() != QDBusMessage::ReplyMessage) {
        connectSignals(false);
        if (error)
            *error = reply.errorMessage();
        return false;
    }
    const ObjectMap objects = unmarshalled<ObjectMap>(reply.arguments().value(0));
    const QString canonical = QFileInfo(drive).canonicalFilePath();
    for (auto it = objects.cbegin(); it != objects.cend(); ++it) {
        const QVariantMap block = it.value().value(kBlock);
        const QString device = byteString(block.value(QStringLiteral("Device")));
        if (block.isEmpty() || (device != drive && device != canonical))
            continue;
        m_drive = drive;
        m_device = device;
        m_blockPath = it.key().path();
        m_block = toHash(it.value());
        m_drivePath = qvariant_cast<QDBusObjectPath>(block.value(QStringLiteral("Drive"))).path();
        m_driveObject = toHash(objects.value(QDBusObjectPath(m_drivePath)));
        m_watching = true;
        m_reported = false;
        m_mounting = false;
        m_mountTried = false;
        // A disc already in the drive arrives once the events run, as one
        // inserted later does.
        QMetaObject::invokeMethod(this, &UDisksArrivals::evaluate, Qt::QueuedConnection);
        return true;
    }
    connectSignals(false);
    if (error)
        *error = QCoreApplication::translate("DiscArrivals", "UDisks2 knows no drive %1")
                     .arg(drive);
    return false;
}

void UDisksArrivals::stopWatching()
{
    if (!m_watching)
        return;
    connectSignals(false);
    m_watching = false;
    ++m_insertion;
}

UDisksArrivals::Interfaces *UDisksArrivals::watchedObject(const QDBusMessage &message)
{
    const QString path = qvariant_cast<QDBusObjectPath>(message.arguments().value(0)).path();
    return path == m_blockPath ? &m_block : path == m_drivePath ? &m_driveObject : nullptr;
}

void UDisksArrivals::interfacesAdded(const QDBusMessage &message)
{
    Interfaces *object = watchedObject(message);
    if (!object)
        return;
    const InterfaceMap added = unmarshalled<InterfaceMap>(message.arguments().value(1));
    for (auto it = added.cbegin(); it != added.cend(); ++it)
        object->insert(it.key(), it.value());
    evaluate();
}

void UDisksArrivals::interfacesRemoved(const QDBusMessage &message)
{
    Interfaces *object = watchedObject(message);
    if (!object)
        return;
    for (const QString &interface : message.arguments().value(1).toStringList())
        object->remove(interface);
    evaluate();
}

void UDisksArrivals::propertiesChanged(const QDBusMessage &message)
{
    const QString path = message.path();
    Interfaces *object = path == m_blockPath ? &m_block
        : path == m_drivePath                ? &m_driveObject
                                             : nullptr;
    const QString interface = message.arguments().value(0).toString();
    if (!object || !object->contains(interface))
        return;
    QVariantMap &properties = (*object)[interface];
    const QVariantMap changed = unmarshalled<QVariantMap>(message.arguments().value(1));
    for (auto it = changed.cbegin(); it != changed.cend(); ++it)
        properties.insert(it.key(), it.value());
    for (const QString &name : message.arguments().value(2).toStringList())
        properties.remove(name);
    evaluate();
}

bool UDisksArrivals::mediaAvailable() const
{
    const QVariantMap drive = m_driveObject.value(kDrive);
    if (!drive.isEmpty())
        return drive.value(QStringLiteral("MediaAvailable")).toBool();
    // A block device without a drive object: it holds something when it
    // has a size.
    return m_block.value(kBlock).value(QStringLiteral("Size")).toULongLong() > 0;
}

QString UDisksArrivals::mountPoint() const
{
    const auto it = m_block.constFind(kFilesystem);
    if (it == m_block.cend())
        return QString();
    const auto points = unmarshalled<QList<QByteArray>>(it->value(QStringLiteral("MountPoints")));
    return points.isEmpty() ? QString() : byteString(points.first());
}

void UDisksArrivals::evaluate()
{
    if (!m_watching)
        return;
    if (!mediaAvailable()) {
        const bool wasReported = m_reported;
        m_reported = m_mounting = m_mountTried = false;
        ++m_insertion;
        if (wasReported)
            Q_EMIT discRemoved(m_drive);
        return;
    }
    if (m_reported || m_mounting)
        return;
    if (!m_block.contains(kFilesystem)) {
        // UDisks2 has found a file system whose interface is still to come.
        if (m_block.value(kBlock).value(QStringLiteral("IdUsage")).toString()
            == QLatin1String("filesystem"))
            return;
        report(DiscLocation{DiscLocation::Kind::Device, m_device});
        return;
    }
    const QString point = mountPoint();
    if (!point.isEmpty()) {
        report(DiscLocation{DiscLocation::Kind::Folder, point});
        return;
    }
    // Refused before, or mounted by someone else meanwhile: the mount
    // points' change follows.
    if (m_mountTried)
        return;
    m_mounting = m_mountTried = true;
    QDBusMessage call = callOf(m_blockPath, kFilesystem, QStringLiteral("Mount"));
    call << QVariantMap{{QStringLiteral("auth.no_user_interaction"), true}};
    auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    const quint64 insertion = m_insertion;
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending, insertion] {
        pending->deleteLater();
        if (insertion != m_insertion || !m_mounting)
            return; // the disc went, or watching stopped
        m_mounting = false;
        const QDBusPendingReply<QString> reply = *pending;
        if (!reply.isError()) {
            report(DiscLocation{DiscLocation::Kind::Folder, reply.value()});
            return;
        }
        const QString point = mountPoint();
        if (!point.isEmpty())
            report(DiscLocation{DiscLocation::Kind::Folder, point});
        else if (!reply.error().name().endsWith(QLatin1String(".AlreadyMounted")))
            report(DiscLocation{DiscLocation::Kind::Device, m_device});
    });
}

void UDisksArrivals::report(const DiscLocation &disc)
{
    m_reported = true;
    Q_EMIT discArrived(m_drive, disc);
}

RuntimeError UDisksArrivals::eject(const QString &drive)
{
    if (!m_watching || drive != m_drive) {
        // A drive not watched: its objects are read for this once, and
        // the calls wait for their answers.
        UDisksArrivals other(m_bus);
        QString error;
        if (!other.watch(drive, &error))
            return RuntimeError(DeviceUnavailable, error);
        return other.ejectWaiting();
    }
    QDBusMessage ejectCall = callOf(m_drivePath, kDrive, QStringLiteral("Eject"));
    ejectCall << QVariantMap{{QStringLiteral("auth.no_user_interaction"), true}};
    // The watched drive: the calls go out and their answers come back
    // through the event loop, so the window goes on while the disc is
    // unmounted and the tray moves (a second or two).
    if (mountPoint().isEmpty()) {
        sendThen(ejectCall, {});
        return RuntimeError();
    }
    QDBusMessage unmount = callOf(m_blockPath, kFilesystem, QStringLiteral("Unmount"));
    unmount << QVariantMap{{QStringLiteral("auth.no_user_interaction"), true}};
    sendThen(unmount, [this, ejectCall] { sendThen(ejectCall, {}); });
    return RuntimeError();
}

RuntimeError UDisksArrivals::ejectWaiting()
{
    if (!mountPoint().isEmpty()) {
        QDBusMessage unmount = callOf(m_blockPath, kFilesystem, QStringLiteral("Unmount"));
        unmount << QVariantMap{{QStringLiteral("auth.no_user_interaction"), true}};
        const QDBusMessage reply = m_bus.call(unmount);
        if (reply.type() != QDBusMessage::ReplyMessage)
            return errorOf(reply);
    }
    QDBusMessage call = callOf(m_drivePath, kDrive, QStringLiteral("Eject"));
    call << QVariantMap{{QStringLiteral("auth.no_user_interaction"), true}};
    const QDBusMessage reply = m_bus.call(call);
    return reply.type() == QDBusMessage::ReplyMessage ? RuntimeError() : errorOf(reply);
}

void UDisksArrivals::sendThen(const QDBusMessage &call, const std::function<void()> &next)
{
    auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    const QString drive = m_drive;
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending, drive, next] {
        pending->deleteLater();
        const QDBusMessage reply = pending->reply();
        if (reply.type() != QDBusMessage::ReplyMessage)
            Q_EMIT ejectFailed(drive, errorOf(reply));
        else if (next)
            next();
    });
}

} // namespace kobrix
