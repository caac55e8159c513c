#pragma once

// Discs coming and going in the drives of a Windows machine: the
// WM_DEVICECHANGE broadcasts of volume arrival and removal, and opening a
// drive's tray.

#include <functional>
#include <string>

namespace kobrix::win32 {

// A hidden top-level window of the calling thread that hears the system's
// WM_DEVICECHANGE broadcasts (a message-only window hears none). Its
// messages are dispatched by the thread's event loop, Qt's included. It
// also registers for the CD-ROM drive interface, so that a drive unplugged
// is heard.
class DeviceChangeWindow
{
public:
    // root is the drive ("D:\"); arrived is false for a removal.
    using Handler = std::function<void(const std::wstring &root, bool arrived)>;

    explicit DeviceChangeWindow(Handler handler);
    ~DeviceChangeWindow();
    DeviceChangeWindow(const DeviceChangeWindow &) = delete;
    DeviceChangeWindow &operator=(const DeviceChangeWindow &) = delete;

    // 0, or the Win32 error that kept the window from being made.
    unsigned long create();

private:
    struct Private;
    Private *d;
};

// Whether the drive at root holds a disc that can be read.
bool hasMedia(const std::wstring &root);

// Opens the tray of the drive at root ("D:\"): the volume is locked and
// dismounted where it can be, then ejected. 0, or the Win32 error.
unsigned long ejectMedia(const std::wstring &root);

} // namespace kobrix::win32
