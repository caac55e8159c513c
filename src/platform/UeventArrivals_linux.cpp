// The kernel's device events (a NETLINK_KOBJECT_UEVENT socket) and the
// CD-ROM driver's eject call.

#include "platform/UeventArrivals.h"

#include "platform/LinuxDriveSource.h"
#include "platform/Uevent.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <linux/netlink.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kobrix {

UeventArrivals::UeventArrivals(QObject *parent)
    : DiscArrivals(parent), m_drives(std::make_unique<LinuxDriveSource>())
{
}

UeventArrivals::~UeventArrivals()
{
    stopWatching();
}

bool UeventArrivals::watch(const QString &drive, QString *error)
{
    stopWatching();
    m_socket = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK,
                        NETLINK_KOBJECT_UEVENT);
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = 1; // the kernel's own messages, not udevd's
    if (m_socket < 0
        || ::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        const int osError = errno;
        if (m_socket >= 0)
            ::close(m_socket);
        m_socket = -1;
        if (error)
            *error = QCoreApplication::translate("DiscArrivals",
                                                 "The kernel's device events cannot be read: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(osError)));
        return false;
    }
    m_drive = drive;
    m_device = QFileInfo(drive).canonicalFilePath();
    if (m_device.isEmpty())
        m_device = drive;
    m_hasDisc = false;
    m_notifier = new QSocketNotifier(qintptr(m_socket), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UeventArrivals::readEvents);
    // A disc already in the drive arrives once the events run.
    QMetaObject::invokeMethod(this, &UeventArrivals::check, Qt::QueuedConnection);
    return true;
}

void UeventArrivals::stopWatching()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
}

void UeventArrivals::readEvents()
{
    char buffer[8192];
    bool changed = false;
    for (;;) {
        sockaddr_nl sender{};
        iovec part{buffer, sizeof buffer};
        msghdr message{};
        message.msg_name = &sender;
        message.msg_namelen = sizeof sender;
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        const ssize_t size = ::recvmsg(m_socket, &message, 0);
        if (size <= 0)
            break; // EAGAIN: all read
        // Only the kernel (port 0) is believed; a process may send here too.
        if (sender.nl_pid != 0 || (message.msg_flags & MSG_TRUNC))
            continue;
        const auto event = Uevent::parse(QByteArray(buffer, size));
        if (!event)
            continue;
        switch (event->eventFor(m_device)) {
        case Uevent::DriveEvent::MediaChanged:
            changed = true;
            break;
        case Uevent::DriveEvent::DriveRemoved:
            if (m_hasDisc) {
                m_hasDisc = false;
                Q_EMIT discRemoved(m_drive);
            }
            break;
        case Uevent::DriveEvent::None:
            break;
        }
    }
    if (changed)
        check();
}

void UeventArrivals::check()
{
    if (m_socket < 0)
        return;
    DiscLocation disc;
    const bool hasDisc = QFile::exists(m_drive) && LinuxDriveSource::holdsDisc(m_drive)
        && !m_drives->resolveRoot(m_drive, disc).number();
    if (hasDisc == m_hasDisc)
        return;
    m_hasDisc = hasDisc;
    if (hasDisc)
        Q_EMIT discArrived(m_drive, disc);
    else
        Q_EMIT discRemoved(m_drive);
}

RuntimeError UeventArrivals::eject(const QString &drive)
{
    const int fd = ::open(QFile::encodeName(drive).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return RuntimeError::fromErrno(errno);
    ::ioctl(fd, CDROM_LOCKDOOR, 0); // a drive that was locked opens all the same
    const int result = ::ioctl(fd, CDROMEJECT, 0);
    const int osError = errno;
    ::close(fd);
    return result == 0 ? RuntimeError() : RuntimeError::fromErrno(osError);
}

} // namespace kobrix
