// Scanning in the main window: a drive's disc, any folder or a disc image is
// walked off the window's thread while the window shows the running count
// and offers Cancel; the lists and controls change as the walk ends.

#include "ui/main/Form1.h"

#include "core/ProgramTexts.h"
#include "platform/DriveSource.h"
#include "scan/DiscImageReader.h"
#include "ui/common/CommonDialog.h"
#include "ui/common/LineStoreModel.h"
#include "ui/common/MessageBox.h"

#include <QGuiApplication>

namespace kobrix {

namespace {

QString title()
{
    return ProgramTexts::programTitle();
}
// Said by a drive button and by a scan that finds the drive empty.
const char kDriveUnavailable[] = QT_TRANSLATE_NOOP(
    "kobrix::Form1", "This Drive is unavailable Please insert a CD or Close the CD Drive Door");

// Shows the busy pointer (with the arrow, since the window still answers)
// for as long as the scan runs, however it ends.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

void Form1::ScanDrive(const QString &driveKey)
{
    // Whatever List2 held is gone from here on, also when the drive turns
    // out to be unavailable.
    clearScanLists();
    DiscLocation disc{DiscLocation::Kind::Folder, driveKey};
    RuntimeError error;
    if (m_services.drives) {
        BusyCursor busy; // finding the mount point may take a moment
        error = m_services.drives->resolveRoot(driveKey, disc);
    }
    if (error) {
        showMessage(title(), tr(kDriveUnavailable), MessageIcon::Critical);
        return;
    }
    if (disc.kind == DiscLocation::Kind::Device) {
        // A disc nobody mounted is read from the drive like a disc image. A
        // drive may take its time to spin up and read the disc's folders:
        // that happens on the walk's thread, with the window answering.
        DiscImageReader image;
        image.openOnFirstRead(disc.path);
        runScan(image, disc.path);
        return;
    }
    runScan(m_directoryReader ? *m_directoryReader : m_fileSystemReader, disc.path);
}

void Form1::scanFolder(const QString &folder)
{
    clearScanLists();
    runScan(m_directoryReader ? *m_directoryReader : m_fileSystemReader, folder);
}

void Form1::scanImage(const QString &imagePath)
{
    // An image that cannot be read changes nothing: it is checked before the
    // lists are emptied.
    DiscImageReader image;
    if (RuntimeError error = image.open(imagePath)) {
        showMessage(title(), errorMessageText(ProgramTexts::imageErrorHeading(imagePath), error),
                    MessageIcon::Critical);
        return;
    }
    clearScanLists();
    runScan(image, imagePath);
}

void Form1::chooseFolderToScan()
{
    if (!m_services.fileDialogs || isScanning())
        return;
    FileDialogRequest request;
    request.mode = FileDialogMode::Folder;
    request.title = tr("Scan Folder");
    if (const auto folder = m_services.fileDialogs->run(this, request))
        scanFolder(*folder);
}

void Form1::chooseImageToScan()
{
    if (!m_services.fileDialogs || isScanning())
        return;
    FileDialogRequest request;
    request.mode = FileDialogMode::Open;
    request.flags = FileMustExist | HideReadOnly | PathMustExist;
    request.filter = tr("Disc Images (*.iso)|*.iso|All Files (*.*)|*.*");
    request.title = tr("Scan Disc Image");
    if (const auto image = m_services.fileDialogs->run(this, request))
        scanImage(*image);
}

void Form1::cancelScan() { m_session.cancelScan(); }

void Form1::runScan(DirectoryReader &reader, const QString &root)
{
    const QString statusBefore = statusText();
    setStatusText(tr("Scanning..."));
    MainSession::ScanReport scan;
    {
        BusyCursor busy;
        scan = m_session.scan(reader, root);
    }
    m_list1Model->sync();
    m_list2Model->sync();

    const RuntimeError error = scan.error;
    if (scan.end == MainSession::ScanEnd::Cancelled) {
        // Nothing of a stopped scan is kept: the window is as after a scan
        // of an empty disc, and says why.
        clearScanLists();
        setStatusText(tr("Scan cancelled"));
    } else if (error) {
        // A failed scan keeps the lines found before the failure and the
        // status text.
        setStatusText(statusBefore);
        if (error.number() == DeviceUnavailable) {
            showMessage(title(), tr(kDriveUnavailable), MessageIcon::Critical);
        } else {
            // Say why the scan stopped instead of leaving a short listing
            // that looks complete.
            showMessage(title(),
                        errorMessageText(ProgramTexts::scanErrorHeading(scan.failedPath), error),
                        MessageIcon::Critical);
        }
    } else {
        setStatusText(tr("Total:") + QLatin1Char(' ') + QString::number(list2Lines().count())
                      + QLatin1Char(' ') + tr("files"));
    }
    deleteIfAskedDuringWork();
}

} // namespace kobrix
