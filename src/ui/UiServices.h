#pragma once

namespace kobrix {

class MessageBoxService;
class FileDialogBackend;
class DriveSource;
class ShellOpener;

// The outside world of the windows: message boxes, file dialogs, the drive
// list and the desktop's "open". The program passes the real ones; tests pass
// scripted ones, so every window flow runs headless.
struct UiServices
{
    MessageBoxService *messages = nullptr;
    FileDialogBackend *fileDialogs = nullptr;
    DriveSource *drives = nullptr;
    ShellOpener *shell = nullptr;
};

} // namespace kobrix
