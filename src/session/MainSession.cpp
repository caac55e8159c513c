#include "session/MainSession.h"

#include "catalog/CatalogFile.h"
#include "session/DiscScan.h"
#include "session/Task.h"

#include <QEventLoop>
#include <QFileInfo>

#include <optional>

namespace kobrix {

MainSession::MainSession(WorkMode mode, QObject *parent)
    : QObject(parent), m_workflow(mode), m_recognition(new Task(this))
{
    m_knownCatalogFile = m_catalog.path();
    connect(&m_catalog, &Catalog::pathChanged, this, &MainSession::noteCatalogFile);
}

MainSession::~MainSession() = default;

void MainSession::moved() { Q_EMIT controlsChanged(); }

void MainSession::start()
{
    m_workflow.started();
    moved();
}

void MainSession::clearScanLists()
{
    m_list1Lines.clear();
    m_catalog.lines().clear();
    m_catalog.setContent(Catalog::Content::Nothing);
    m_catalog.markLinesChanged();
    forgetRecognition();
}

MainSession::ScanReport MainSession::scan(DirectoryReader &reader, const QString &root)
{
    return scan(reader, root, std::nullopt);
}

MainSession::ScanReport MainSession::scan(DirectoryReader &reader, const DiscLocation &disc)
{
    return scan(reader, disc.path, disc);
}

MainSession::ScanReport MainSession::scan(DirectoryReader &reader, const QString &root,
                                          const std::optional<DiscLocation> &labelOf)
{
    Task task;
    task.setProgressInterval(std::chrono::milliseconds(100));
    connect(&task, &Task::progressed, this, &MainSession::scanProgress);
    std::optional<ScanResult> scan;
    QEventLoop loop;
    m_scanTask = &task;
    m_workflow.scanStarted();
    moved();
    task.run(
        [&reader, root, labelOf](TaskControl &control) {
            return labelOf ? scanDisc(reader, *labelOf, control) : scanDisc(reader, root, control);
        },
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
    m_scanTask = nullptr;

    // The walk's lists become the session's: the listing as far as it got.
    std::swap(m_list1Lines, scan->directories);
    std::swap(m_catalog.lines(), scan->listing);
    m_catalog.setContent(Catalog::Content::DiscListing);
    m_catalog.markLinesChanged();

    const bool lines = m_catalog.lines().count() > 0;
    using End = MainWorkflow::ScanEnd;
    ScanReport report{ScanEnd::Complete, scan->error, scan->failedPath, scan->label};
    if (scan->cancelled) {
        report.end = ScanEnd::Cancelled;
        m_workflow.scanEnded(End::Cancelled);
    } else if (scan->error) {
        report.end = ScanEnd::Failed;
        m_workflow.scanEnded(lines ? End::FailedWithLines : End::FailedEmpty);
    } else {
        m_workflow.scanEnded(lines ? End::Lines : End::NoLines);
    }
    moved();
    if (report.end == ScanEnd::Complete)
        recognise();
    return report;
}

void MainSession::cancelScan()
{
    if (m_scanTask)
        m_scanTask->requestStop();
}

RuntimeError MainSession::write(const QString &file, const QString &discName)
{
    if (RuntimeError error = writeCatalog(file, discName, m_catalog.lines()))
        return error;
    noteCatalogFile(file);
    m_workflow.written();
    moved();
    return {};
}

RuntimeError MainSession::append(const QString &file, const QString &discName)
{
    if (RuntimeError error = appendCatalog(file, discName, m_catalog.lines()))
        return error;
    noteCatalogFile(file);
    m_workflow.added();
    moved();
    return {};
}

void MainSession::nextDisc()
{
    clearScanLists();
    m_workflow.nextDisc();
    moved();
}

void MainSession::setLoading(bool loading)
{
    m_loading = loading;
    if (loading)
        m_stopLoading = false;
}

QString MainSession::recognitionCatalog() const
{
    // A name typed for a catalog not yet written is no file: it is taken
    // only as the full path of a file that exists.
    const QFileInfo info(m_knownCatalogFile);
    return !m_knownCatalogFile.isEmpty() && info.isAbsolute() && info.isFile() ? m_knownCatalogFile
                                                                              : QString();
}

QString MainSession::namedCatalogFile(const QString &lastDialogFile) const
{
    for (const QString &candidate : {m_catalog.path(), lastDialogFile}) {
        if (!candidate.isEmpty() && QFileInfo(candidate).isFile())
            return candidate;
    }
    return QString();
}

bool MainSession::isRecognising() const { return m_recognition->isRunning(); }

void MainSession::recognise()
{
    const QString catalog = recognitionCatalog();
    if (catalog.isEmpty() || m_catalog.lines().isEmpty())
        return;
    m_recognition->run(recognitionWork(catalog, m_catalog.lines()),
                       [this](const RecognitionResult &result) { recognised(result); });
}

void MainSession::recognised(const RecognitionResult &result)
{
    // Nothing to say when the catalog could not be read or holds no such
    // disc: the recognition is an aside, never an error.
    if (result.cancelled || result.error || !result.sameDisc)
        return;
    const DiscLikeness &best = result.best.front();
    m_recognisedDisc = best.disc;
    m_recognisedCatalog = result.catalogPath;
    Q_EMIT discRecognised(best.disc, result.catalogPath, best.shared, result.scanFiles);
}

void MainSession::forgetRecognition()
{
    m_recognition->cancel();
    m_recognisedDisc.clear();
    m_recognisedCatalog.clear();
}

namespace {

MainSession::UpdateProblem problemOf(const DiscUpdate &update, DiscUpdate::Problem problem)
{
    MainSession::UpdateProblem said{problem, {}, {}};
    if (problem == DiscUpdate::Problem::CatalogError)
        said.error = update.error();
    else if (problem != DiscUpdate::Problem::None)
        said.text = update.problemText(problem);
    return said;
}

} // namespace

MainSession::UpdateProblem MainSession::prepareUpdate(const QString &catalogPath,
                                                      const QString &discName)
{
    auto update = std::make_unique<DiscUpdate>(catalogPath, discName, m_catalog.lines());
    const UpdateProblem problem = problemOf(*update, update->prepare());
    if (!problem)
        m_pendingUpdate = std::move(update);
    return problem;
}

std::unique_ptr<DiscUpdate> MainSession::applyUpdate(UpdateProblem &problem)
{
    std::unique_ptr<DiscUpdate> update = std::move(m_pendingUpdate);
    if (!update)
        return nullptr;
    problem = problemOf(*update, update->apply());
    if (!problem) {
        noteCatalogFile(update->catalogPath());
        // Done with this disc, as after a write (while "Write Catalog..."
        // is offered) or an add: nothing writes it again until "Scan New
        // CD" and the next scan.
        m_workflow.updated();
        moved();
    }
    return update;
}

} // namespace kobrix
