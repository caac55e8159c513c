// Scanning in the main window: a drive's disc, any folder or a disc image is
// walked off the window's thread while the window shows the running count
// and offers Cancel; the lists and controls change as the walk ends.

#include "ui/main/Form1.h"

#include "core/ProgramTexts.h"
#include "platform/DriveSource.h"
#include "scan/DiscImageReader.h"
#include "session/DiscScan.h"
#include "session/Task.h"
#include "ui/common/CommonDialog.h"
#include "ui/common/LineStoreModel.h"
#include "ui/common/MessageBox.h"

#include <QEventLoop>
#include <QGuiApplication>

#include <optional>

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

void Form1::cancelScan()
{
    if (m_scanTask)
        m_scanTask->requestStop();
}

void Form1::runScan(DirectoryReader &reader, const QString &root)
{
    const QString statusBefore = statusText();
    Task task;
    task.setProgressInterval(std::chrono::milliseconds(100));
    connect(&task, &Task::progressed, this, [this](qint64 files) {
        setStatusText(tr("Scanning... %1 files").arg(files));
    });
    QEventLoop loop;
    std::optional<ScanResult> scan;

    m_scanTask = &task;
    m_workflow.scanStarted();
    applyControlStates();
    setStatusText(tr("Scanning..."));
    {
        BusyCursor busy;
        task.run([&reader, root](TaskControl &control) { return scanDisc(reader, root, control); },
                 [&](ScanResult result) {
                     scan = std::move(result);
                     loop.quit();
                 });
        loop.exec();
        if (task.isRunning()) {
            // The event loop was ended from outside (the program quits) and
            // cannot deliver the end of the walk: stop it and wait for it
            // before its lists are taken.
            task.requestStop();
            task.waitForFinished();
        }
    }
    m_scanTask = nullptr;

    // The walk's lists become the window's: the listing as far as it got.
    std::swap(m_list1Lines, scan->directories);
    std::swap(m_catalog.lines(), scan->listing);
    m_catalog.setContent(Catalog::Content::DiscListing);
    m_catalog.markLinesChanged();
    m_list1Model->sync();
    m_list2Model->sync();

    const RuntimeError error = scan->error;
    const bool lines = m_catalog.lines().count() > 0;
    using End = MainWorkflow::ScanEnd;
    if (scan->cancelled) {
        // Nothing of a stopped scan is kept: the window is as after a scan
        // of an empty disc, and says why; its lines cannot be written.
        clearScanLists();
        m_workflow.scanEnded(End::Cancelled);
        applyControlStates();
        setStatusText(tr("Scan cancelled"));
    } else if (error) {
        // A failed scan keeps the lines found before the failure and the
        // status text, but they are no complete disc: they cannot be written.
        m_workflow.scanEnded(lines ? End::FailedWithLines : End::FailedEmpty);
        applyControlStates();
        setStatusText(statusBefore);
        if (error.number() == DeviceUnavailable) {
            showMessage(title(), tr(kDriveUnavailable), MessageIcon::Critical);
        } else {
            // Say why the scan stopped instead of leaving a short listing
            // that looks complete.
            showMessage(title(),
                        errorMessageText(ProgramTexts::scanErrorHeading(scan->failedPath), error),
                        MessageIcon::Critical);
        }
    } else {
        m_workflow.scanEnded(lines ? End::Lines : End::NoLines);
        applyControlStates();
        setStatusText(tr("Total:") + QLatin1Char(' ') + QString::number(m_catalog.lines().count())
                      + QLatin1Char(' ') + tr("files"));
        // Whether the disc is in the catalog already is told aside, once
        // the catalog has been read in the background.
        recogniseScannedDisc();
    }
    deleteIfAskedDuringWork();
}

} // namespace kobrix
