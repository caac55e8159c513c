#include "platform/Uevent.h"

namespace kobrix {

std::optional<Uevent> Uevent::parse(const QByteArray &datagram)
{
    const QList<QByteArray> parts = datagram.split('\0');
    const QByteArray &head = parts.first();
    const qsizetype at = head.indexOf('@');
    if (at <= 0 || at + 1 >= head.size() || head.at(at + 1) != '/')
        return std::nullopt;
    Uevent event;
    event.action = head.left(at);
    event.devPath = head.mid(at + 1);
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray &part = parts.at(i);
        const qsizetype equals = part.indexOf('=');
        if (equals > 0)
            event.fields.insert(part.left(equals), part.mid(equals + 1));
    }
    // The header repeats what the fields say; a message whose fields say
    // otherwise is not the kernel's.
    if (event.field("ACTION") != event.action || event.field("DEVPATH") != event.devPath)
        return std::nullopt;
    return event;
}

Uevent::DriveEvent Uevent::eventFor(const QString &devicePath) const
{
    if (field("SUBSYSTEM") != "block" || field("DEVNAME").isEmpty())
        return DriveEvent::None;
    // DEVNAME is relative to /dev ("sr0"), or a full path from some senders.
    QString name = QString::fromUtf8(field("DEVNAME"));
    if (!name.startsWith(QLatin1Char('/')))
        name.prepend(QStringLiteral("/dev/"));
    if (name != devicePath)
        return DriveEvent::None;
    if (action == "remove")
        return DriveEvent::DriveRemoved;
    if (action == "change" && field("DISK_MEDIA_CHANGE") == "1")
        return DriveEvent::MediaChanged;
    return DriveEvent::None;
}

} // namespace kobrix
