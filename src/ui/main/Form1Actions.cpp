// The work of the main window: scanning a disc, writing and appending a
// catalog, loading one. The file and walk logic is the core's and the
// session's; these routines ask for names, call it and report. A scan of a
// drive's disc, any folder or a disc image walks off the window's thread
// while the window shows the running count and offers Cancel.

#include "ui/main/Form1.h"

#include "catalog/CatalogFile.h"
#include "core/ProgramTexts.h"
#include "platform/DriveSource.h"
#include "scan/DiscImageReader.h"
#include "ui/common/LineStoreModel.h"
#include "ui/common/MessageBox.h"
#include "ui/main/BusyCursor.h"
#include "ui/main/DiscLabelProposal.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace kobrix {

namespace {

QString title() { return ProgramTexts::programTitle(); }
// The title of the empty-list report and of the general error of WriteList.
QString errorTitle() { return Form1::tr("Error"); }
// The catalog filter last, where the filter index points.
QString appendFilter()
{
    return Form1::tr("All Files (*.*)|*.*|Text Files (*.txt)|*.txt") + QLatin1Char('|')
           + ProgramTexts::catalogFilter();
}
constexpr int kAppendFilterIndex = 3; // "CD Catalog Files (*.cdc)"
// Said by a drive button and by a scan that finds the drive empty.
const char kDriveUnavailable[] = QT_TRANSLATE_NOOP(
    "kobrix::Form1", "This Drive is unavailable Please insert a CD or Close the CD Drive Door");

} // namespace

void Form1::clearScanLists()
{
    m_session.clearScanLists();
    m_list1Model->reset();
    m_list2Model->reset();
    forgetDiscNotice();
}

void Form1::scanNewCd()
{
    showMessage(title(), tr("Place The next CD in the CD-Drive and click OK"),
                MessageIcon::Information);
    clearScanLists();
    Text2->setText(QString());
    setStatusText(QString());
    m_session.nextDisc();
}

bool Form1::checkDiscName()
{
    // An empty name, or one the catalog could not give back.
    const QString problem = discNameProblem(Text2->text());
    if (problem.isEmpty())
        return true;
    showMessage(title(), problem, MessageIcon::Exclamation);
    return false;
}

void Form1::WriteList()
{
    if (m_session.catalog().lines().count() <= 0) {
        showMessage(errorTitle(), ProgramTexts::emptyListing(), MessageIcon::Critical);
        return;
    }
    CommonDialog1.setFlags(kCatalogDialogFlags);
    CommonDialog1.setFileName(m_session.catalog().path());
    CommonDialog1.setFilter(ProgramTexts::catalogFilter());
    if (!CommonDialog1.showSave())
        return; // cancelled: nothing written, nothing changed

    // Every failure is reported, and the controls stay as they were: a
    // catalog that was not written must not look written.
    if (RuntimeError error = m_session.write(CommonDialog1.fileName(), Text2->text()))
        showMessage(errorTitle(), errorMessageText(ProgramTexts::writeErrorHeading(), error),
                    MessageIcon::Critical);
    else
        emit catalogUsed(CommonDialog1.fileName());
}

void Form1::AppendList()
{
    if (m_session.catalog().lines().count() <= 0) {
        showMessage(errorTitle(), ProgramTexts::emptyListing(), MessageIcon::Critical);
        return;
    }
    // Flags and file name stay those of the dialog's previous use: the
    // catalog just loaded or written is proposed. Adding to a catalog
    // replaces nothing, so the dialog does not ask about replacing.
    CommonDialog1.setFilter(appendFilter());
    CommonDialog1.setFilterIndex(kAppendFilterIndex);
    if (!CommonDialog1.showSaveForAppend())
        return;

    if (RuntimeError error = m_session.append(CommonDialog1.fileName(), Text2->text()))
        showMessage(title(), errorMessageText(ProgramTexts::writeErrorHeading(), error),
                    MessageIcon::Critical);
    else
        emit catalogUsed(CommonDialog1.fileName());
}

bool Form1::ReadList(const QString &fileName, bool clearFirst)
{
    CatalogReader reader;
    if (RuntimeError error = reader.open(fileName)) {
        // The list keeps its lines when the file cannot be opened.
        showMessage(title(), errorMessageText(ProgramTexts::readErrorHeading(), error),
                    MessageIcon::Critical);
        return false;
    }
    emit catalogUsed(fileName);
    Catalog &lines = m_session.catalog();
    if (clearFirst) {
        lines.lines().clear();
        m_list2Model->reset();
    }
    forgetDiscNotice();
    lines.setContent(Catalog::Content::CatalogLines);

    m_session.setLoading(true);
    bool finished = false;
    while (!finished) {
        finished = reader.readSome(lines.lines(), m_loadSlice);
        // The views hear of the new lines once per slice.
        m_list2Model->sync();
        lines.markLinesChanged();
        if (!finished) {
            // Other commands may run here; those that need the catalog file
            // find it open and say so.
            QCoreApplication::processEvents();
            if (m_session.loadStopRequested())
                break;
        }
    }
    m_session.setLoading(false);
    const RuntimeError error = reader.error();
    reader.close();
    m_list2Model->sync();
    if (error)
        showMessage(title(), errorMessageText(ProgramTexts::readErrorHeading(), error),
                    MessageIcon::Critical);
    deleteIfAskedDuringWork();
    return true;
}

void Form1::deleteIfAskedDuringWork()
{
    if (!m_deleteAfterLoad || m_session.isLoading() || m_session.isScanning())
        return;
    // Asked for during a load or scan; deferred again, it is carried out
    // once the callers of the routine have returned as well. Qt drops a
    // second deleteLater() of the same object, so a helper object carries it.
    m_deleteAfterLoad = false;
    auto *deferred = new QObject;
    connect(deferred, &QObject::destroyed, this, [this] { delete this; });
    deferred->deleteLater();
}

void Form1::loadCatalog()
{
    CommonDialog1.setFlags(kCatalogDialogFlags);
    CommonDialog1.setFilter(ProgramTexts::catalogFilter());
    if (!CommonDialog1.showOpen())
        return; // cancelled: nothing read, nothing renamed
    loadCatalogFile(CommonDialog1.fileName());
}

void Form1::loadCatalogFile(const QString &fileName)
{
    // As if chosen in the dialog: the next dialog proposes it.
    CommonDialog1.setFlags(kCatalogDialogFlags);
    CommonDialog1.setFilter(ProgramTexts::catalogFilter());
    CommonDialog1.setFileName(fileName);
    m_session.catalog().setPath(fileName);
    ReadList(fileName, true);
    // The window names the chosen file even when it could not be read.
    setWindowTitle(ProgramTexts::catalogCaption(fileName));
}

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
        runScan(image, disc);
        return;
    }
    runScan(m_session.directoryReader(), disc);
}

void Form1::scanFolder(const QString &folder)
{
    clearScanLists();
    runScan(m_session.directoryReader(), DiscLocation{DiscLocation::Kind::Folder, folder});
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
    runScan(image, DiscLocation{DiscLocation::Kind::Device, imagePath});
}

void Form1::runScan(DirectoryReader &reader, const DiscLocation &disc)
{
    const QString statusBefore = statusText();
    setStatusText(tr("Scanning..."));
    MainSession::ScanReport scan;
    {
        BusyCursor busy;
        scan = m_session.scan(reader, disc);
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
        setStatusText(tr("Total:") + QLatin1Char(' ')
                      + QString::number(m_session.catalog().lines().count()) + QLatin1Char(' ')
                      + tr("files"));
        proposeDiscLabel(*Text2, scan.label);
    }
    deleteIfAskedDuringWork();
}

} // namespace kobrix
