#pragma once

#include "platform/DiscArrivals.h"

#include <memory>

namespace kobrix {

namespace win32 {
class DeviceChangeWindow;
}

// Discs coming and going as Windows broadcasts them (WM_DEVICECHANGE to a
// hidden window of the program's thread), and the drive's tray opened with
// IOCTL_STORAGE_EJECT_MEDIA. A disc is read at its drive's root.
class WindowsDiscArrivals : public DiscArrivals
{
    Q_OBJECT

public:
    explicit WindowsDiscArrivals(QObject *parent = nullptr);
    ~WindowsDiscArrivals() override;

    bool watch(const QString &drive, QString *error) override;
    void stopWatching() override;
    RuntimeError eject(const QString &drive) override;

private:
    void changed(const QString &root, bool arrived);
    void checkNow();

    std::unique_ptr<win32::DeviceChangeWindow> m_window;
    QString m_drive;
    bool m_hasDisc = false;
};

} // namespace kobrix
