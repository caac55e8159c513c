// Disc arrivals of a Windows machine, through the Windows layer (win32).

#include "platform/WindowsDiscArrivals.h"

#include "win32/devicechange_win.h"
#include "win32/errors_win.h"

#include <QCoreApplication>

namespace kobrix {

WindowsDiscArrivals::WindowsDiscArrivals(QObject *parent) : DiscArrivals(parent) {}

WindowsDiscArrivals::~WindowsDiscArrivals() = default;

bool WindowsDiscArrivals::watch(const QString &drive, QString *error)
{
    stopWatching();
    m_window = std::make_unique<win32::DeviceChangeWindow>(
        [this](const std::wstring &root, bool arrived) {
            changed(QString::fromStdWString(root), arrived);
        });
    if (const unsigned long failure = m_window->create()) {
        m_window.reset();
        if (error)
            *error = QCoreApplication::translate("DiscArrivals",
                                                 "Drive changes cannot be heard: %1")
                         .arg(describeError(win32::errorNumber(failure)));
        return false;
    }
    m_drive = drive;
    m_hasDisc = false;
    // A disc already in the drive arrives once the events run.
    QMetaObject::invokeMethod(this, &WindowsDiscArrivals::checkNow, Qt::QueuedConnection);
    return true;
}

void WindowsDiscArrivals::stopWatching()
{
    m_window.reset();
}

void WindowsDiscArrivals::checkNow()
{
    if (m_window && win32::hasMedia(m_drive.toStdWString()))
        changed(m_drive, true);
}

void WindowsDiscArrivals::changed(const QString &root, bool arrived)
{
    if (root.compare(m_drive.left(root.size()), Qt::CaseInsensitive) != 0 || arrived == m_hasDisc)
        return;
    m_hasDisc = arrived;
    if (arrived)
        Q_EMIT discArrived(m_drive, DiscLocation{DiscLocation::Kind::Folder, m_drive});
    else
        Q_EMIT discRemoved(m_drive);
}

RuntimeError WindowsDiscArrivals::eject(const QString &drive)
{
    const unsigned long failure = win32::ejectMedia(drive.toStdWString());
    return failure ? RuntimeError(win32::errorNumber(failure)) : RuntimeError();
}

} // namespace kobrix
