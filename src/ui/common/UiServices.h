#pragma once

class QSettings;

namespace kobrix {

class MessageBoxService;
class FileDialogBackend;
class DriveSource;
class ShellOpener;
class PrintPreviewService;
class DiscArrivals;

// The outside world of the windows: message boxes, file dialogs, the drive
// list, the desktop's "open", the print preview (none where the program
// is built without printing) and the settings kept from one run to the next
// (none: nothing is kept). The program passes the real ones; tests pass
// scripted ones, so every window flow runs headless.
struct UiServices
{
    MessageBoxService *messages = nullptr;
    FileDialogBackend *fileDialogs = nullptr;
    DriveSource *drives = nullptr;
    ShellOpener *shell = nullptr;
    PrintPreviewService *printPreview = nullptr;
    QSettings *settings = nullptr; // the recent catalogs, the Discs window's layout
    DiscArrivals *discArrivals = nullptr; // discs going into and out of the drives
};

} // namespace kobrix
