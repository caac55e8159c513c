// Scanning in the main window: a drive's disc, any folder or a disc image is
// walked off the window's thread while the window shows the running count
// and offers Cancel; the lists and controls change as the walk ends.

#include "ui/main/Form1.h"

#include "core/ProgramTexts.h"
#include "platform/DriveSource.h"
#include "scan/BackgroundScan.h"
#include "scan/DiscImageReader.h"
#include "ui/common/CommonDialog.h"
#include "ui/common/LineStoreModel.h"
#include "ui/common/MessageBox.h"

#include <QAction>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>

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
    if (!m_services.fileDialogs || m_scanning)
        return;
    FileDialogRequest request;
    request.mode = FileDialogMode::Folder;
    request.title = tr("Scan Folder");
    if (const auto folder = m_services.fileDialogs->run(this, request))
        scanFolder(*folder);
}

void Form1::chooseImageToScan()
{
    if (!m_services.fileDialogs || m_scanning)
        return;
    FileDialogRequest request;
    request.mode = FileDialogMode::Open;
    request.flags = FileMustExist | HideReadOnly | PathMustExist;
    request.filter = tr("Disc Images (*.iso)|*.iso|All Files (*.*)|*.*");
    request.title = tr("Scan Disc Image");
    if (const auto image = m_services.fileDialogs->run(this, request))
        scanImage(*image);
}

void Form1::holdBackWriting()
{
    if (!m_writingHeldBack) {
        m_writingHeldBack = true;
        m_heldWriteEnabled = Command3->isEnabled();
        m_heldAddEnabled = Command4->isEnabled();
    }
    Command3->setEnabled(false);
    Command4->setEnabled(false);
}

void Form1::releaseHeldBackWriting()
{
    if (!m_writingHeldBack)
        return;
    m_writingHeldBack = false;
    Command3->setEnabled(m_heldWriteEnabled);
    Command4->setEnabled(m_heldAddEnabled);
}

void Form1::cancelScan()
{
    if (m_scan)
        m_scan->cancel();
}

void Form1::setBusyForScan(bool busy)
{
    if (busy) {
        // Everything that would change the lists, the catalog or the window
        // waits until the scan is over; Exit, About and Donate stay.
        QList<QObject *> controls{mnuLoad, mnuFind, mnuRestart, scanFolderAction,
                                  scanImageAction, Command2, Command3, Command4, Text2};
        for (QAction *button : Toolbar1->actions())
            controls << button;
        m_disabledForScan.clear();
        for (QObject *control : controls) {
            const bool enabled = control->property("enabled").toBool();
            m_disabledForScan.emplace_back(control, enabled);
            control->setProperty("enabled", false);
        }
    } else {
        for (auto &[control, enabled] : m_disabledForScan) {
            if (control)
                control->setProperty("enabled", enabled);
        }
        m_disabledForScan.clear();
    }
    m_cancelScanButton->setVisible(busy);
    m_cancelScanShortcut->setEnabled(busy);
}

void Form1::runScan(DirectoryReader &reader, const QString &root)
{
    const QString statusBefore = statusText();
    BackgroundScan scan;
    connect(&scan, &BackgroundScan::progress, this, [this](qsizetype files) {
        setStatusText(tr("Scanning... %1 files").arg(files));
    });
    QEventLoop loop;
    connect(&scan, &BackgroundScan::finished, &loop, &QEventLoop::quit);

    m_scan = &scan;
    m_scanning = true;
    setBusyForScan(true);
    setStatusText(tr("Scanning..."));
    {
        BusyCursor busy;
        scan.start(reader, root);
        loop.exec();
        if (scan.isRunning()) {
            // The event loop was ended from outside (the program quits) and
            // cannot deliver the end of the walk: stop it and wait for it
            // before its lists are touched.
            scan.cancel();
            scan.waitForFinished();
        }
    }
    setBusyForScan(false);
    m_scanning = false;
    m_scan = nullptr;

    // The walk's lists become the window's: the listing as far as it got.
    std::swap(m_list1Lines, scan.directories());
    std::swap(m_catalog.lines(), scan.listing());
    m_catalog.setContent(Catalog::Content::DiscListing);
    m_catalog.markLinesChanged();
    m_list1Model->sync();
    m_list2Model->sync();

    const RuntimeError error = scan.error();
    if (scan.wasCancelled()) {
        // Nothing of a stopped scan is kept: the window is as after a scan
        // of an empty disc, and says why.
        clearScanLists();
        holdBackWriting();
        setStatusText(tr("Scan cancelled"));
    } else if (error) {
        // A failed scan keeps the lines found before the failure and the
        // status text, but they are no complete disc: they cannot be written.
        if (m_catalog.lines().count() > 0)
            holdBackWriting();
        setStatusText(statusBefore);
        if (error.number() == DeviceUnavailable) {
            showMessage(title(), tr(kDriveUnavailable), MessageIcon::Critical);
        } else {
            // Say why the scan stopped instead of leaving a short listing
            // that looks complete.
            showMessage(title(),
                        errorMessageText(ProgramTexts::scanErrorHeading(scan.failedPath()), error),
                        MessageIcon::Critical);
        }
    } else {
        releaseHeldBackWriting();
        if (m_catalog.lines().count() > 0) {
            Label2->setEnabled(true);
            Text2->setEnabled(true);
            Command3->setEnabled(true);
        }
        setStatusText(tr("Total:") + QLatin1Char(' ') + QString::number(m_catalog.lines().count())
                      + QLatin1Char(' ') + tr("files"));
        // Whether the disc is in the catalog already is told aside, once
        // the catalog has been read in the background.
        recogniseScannedDisc();
    }
    deleteIfAskedDuringWork();
}

} // namespace kobrix
