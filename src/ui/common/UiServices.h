#pragma once

namespace kobrix {

class MessageBoxService;
class FileDialogBackend;
class DriveSource;
class ShellOpener;
class PrintPreviewService;

// The outside world of the windows: message boxes, file dialogs, the drive
// list, the desktop's "open" and the print preview (none where the program
// is built without printing). The program passes the real ones; tests pass
// scripted ones, so every window flow runs headless.
struct UiServices
{
    MessageBoxService *messages = nullptr;
    FileDialogBackend *fileDialogs = nullptr;
    DriveSource *drives = nullptr;
    ShellOpener *shell = nullptr;
    PrintPreviewService *printPreview = nullptr;
};

} // namespace kobrix
