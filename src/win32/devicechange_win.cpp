#include "win32/devicechange_win.h"

#include <windows.h>
#include <dbt.h>
#include <initguid.h>
#include <winioctl.h>
#include <ntddstor.h>

namespace kobrix::win32 {

namespace {

const wchar_t kClassName[] = L"KobrixDeviceChangeWindow";

// "\\.\D:" for "D:\": the volume's device.
std::wstring volumePath(const std::wstring &root)
{
    return L"\\\\.\\" + root.substr(0, 2);
}

} // namespace

struct DeviceChangeWindow::Private
{
    Handler handler;
    HWND window = nullptr;
    HDEVNOTIFY notification = nullptr;

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto *self = reinterpret_cast<Private *>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_DEVICECHANGE && self && lParam
            && (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)) {
            const auto *header = reinterpret_cast<const DEV_BROADCAST_HDR *>(lParam);
            if (header->dbch_devicetype == DBT_DEVTYP_VOLUME) {
                const auto *volume = reinterpret_cast<const DEV_BROADCAST_VOLUME *>(lParam);
                for (int letter = 0; letter < 26; ++letter) {
                    if (volume->dbcv_unitmask & (1UL << letter)) {
                        const std::wstring root{wchar_t(L'A' + letter), L':', L'\\'};
                        self->handler(root, wParam == DBT_DEVICEARRIVAL);
                    }
                }
            }
            return TRUE;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

DeviceChangeWindow::DeviceChangeWindow(Handler handler) : d(new Private)
{
    d->handler = std::move(handler);
}

DeviceChangeWindow::~DeviceChangeWindow()
{
    if (d->notification)
        UnregisterDeviceNotification(d->notification);
    if (d->window)
        DestroyWindow(d->window);
    delete d;
}

unsigned long DeviceChangeWindow::create()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Private::procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return GetLastError();
    // A top-level window that is never shown: broadcasts reach it, the
    // taskbar does not list it.
    d->window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, instance, d);
    if (!d->window)
        return GetLastError();
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = GUID_DEVINTERFACE_CDROM;
    d->notification = RegisterDeviceNotificationW(d->window, &filter,
                                                  DEVICE_NOTIFY_WINDOW_HANDLE);
    return 0;
}

bool hasMedia(const std::wstring &root)
{
    const HANDLE volume = CreateFileW(volumePath(root).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      0, nullptr);
    if (volume == INVALID_HANDLE_VALUE)
        return false;
    DWORD returned = 0;
    const BOOL ready = DeviceIoControl(volume, IOCTL_STORAGE_CHECK_VERIFY2, nullptr, 0, nullptr,
                                       0, &returned, nullptr);
    CloseHandle(volume);
    return ready != FALSE;
}

unsigned long ejectMedia(const std::wstring &root)
{
    const HANDLE volume = CreateFileW(volumePath(root).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      0, nullptr);
    if (volume == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD returned = 0;
    // Locking and dismounting fail while another program reads the disc;
    // the eject is asked all the same, and says so if it cannot be done.
    DeviceIoControl(volume, FSCTL_LOCK_VOLUME, nullptr, 0, nullptr, 0, &returned, nullptr);
    DeviceIoControl(volume, FSCTL_DISMOUNT_VOLUME, nullptr, 0, nullptr, 0, &returned, nullptr);
    PREVENT_MEDIA_REMOVAL allow{};
    allow.PreventMediaRemoval = FALSE;
    DeviceIoControl(volume, IOCTL_STORAGE_MEDIA_REMOVAL, &allow, sizeof allow, nullptr, 0,
                    &returned, nullptr);
    const BOOL ejected = DeviceIoControl(volume, IOCTL_STORAGE_EJECT_MEDIA, nullptr, 0, nullptr,
                                         0, &returned, nullptr);
    const DWORD error = ejected ? 0 : GetLastError();
    CloseHandle(volume);
    return error;
}

} // namespace kobrix::win32
