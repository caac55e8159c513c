#include "session/DiscBatch.h"

#include "catalog/CatalogFile.h"
#include "catalog/CatalogFormat.h"
#include "catalog/DiscRecords.h"
#include "catalog/DiscUpdate.h"
#include "platform/DiscArrivals.h"
#include "platform/VolumeLabels.h"
#include "scan/DiscImageReader.h"
#include "scan/FileSystemReader.h"
#include "session/DiscScan.h"
#include "session/Task.h"

#include <QTimer>

namespace kobrix {

// The disc in hand, from its arrival until its row.
struct DiscBatch::Disc
{
    DiscLocation location;
    std::unique_ptr<DirectoryReader> ownReader; // the image reader of a device, or the file system
    QString label;
    QString name; // in the catalog: recognised, given or the label
    LineStore listing;
    qsizetype files = 0;
    bool walking = false; // the scan's walk runs: the task's progress counts files
    bool takenOut = false;
    bool askingName = false;
    bool askingUpdate = false;
    // After the listing: the update reads it until it ends.
    std::shared_ptr<DiscUpdate> update;
};

namespace {

struct LabelledScan
{
    QString label;
    ScanResult scan;
};

struct PreparedUpdate
{
    std::shared_ptr<DiscUpdate> update;
    DiscUpdate::Problem problem = DiscUpdate::Problem::None;
};

struct Appended
{
    RuntimeError error;
    bool nameTaken = false; // another disc of the catalog has the name: nothing written
};

// Whether the catalog holds records under the disc name. A catalog that
// cannot be read holds none here: the append then says why.
bool catalogHoldsDisc(const QString &catalogPath, const QString &name)
{
    QFile file;
    if (openCatalogFile(catalogPath, file))
        return false;
    bool found = false;
    DiscRecordFinder finder(name);
    DiscRecordFinder::Visitor visitor;
    visitor.otherBytes = [](std::string_view) { return RuntimeError(); };
    visitor.discLine = [&found](std::string_view, const LineStore &) {
        found = true;
        return RuntimeError(FileAlreadyOpen); // the first record is enough
    };
    const DiscRecordFinder::Outcome outcome = finder.find(file, visitor);
    return found || outcome == DiscRecordFinder::Outcome::SharedLine;
}

QString updateProblemText(const DiscUpdate &update, DiscUpdate::Problem problem)
{
    if (problem == DiscUpdate::Problem::CatalogError)
        return update.error().numberAndDescription();
    return update.problemText(problem);
}

} // namespace

DiscBatch::DiscBatch(QString catalogPath, QString drive, DiscArrivals &arrivals, QObject *parent)
    : QObject(parent)
    , m_catalogPath(std::move(catalogPath))
    , m_drive(std::move(drive))
    , m_arrivals(arrivals)
    , m_task(new Task(this))
    , m_nameTimer(new QTimer(this))
{
    m_nameTimer->setSingleShot(true);
    connect(m_nameTimer, &QTimer::timeout, this, &DiscBatch::nameTimedOut);
    m_task->setProgressInterval(std::chrono::milliseconds(200));
    connect(m_task, &Task::progressed, this, [this](qint64 files) {
        if (m_disc && m_disc->walking)
            emit scanProgress(files);
    });
    connect(&m_arrivals, &DiscArrivals::discArrived, this, &DiscBatch::arrived);
    connect(&m_arrivals, &DiscArrivals::discRemoved, this, &DiscBatch::removed);
    // A tray that the watcher asked another process to open and that stayed
    // shut is told of later, the run having gone on meanwhile.
    connect(&m_arrivals, &DiscArrivals::ejectFailed, this,
            [this](const QString &drive, const RuntimeError &error) {
                if (drive == m_drive)
                    emit ejectFailed(error);
            });
}

DiscBatch::~DiscBatch()
{
    // The work reads the disc in hand: it ends before the disc goes.
    m_task->cancel();
    if (m_state != State::Idle && m_state != State::Stopped)
        m_arrivals.stopWatching();
}

bool DiscBatch::start(QString *error)
{
    if (m_state != State::Idle)
        return false;
    if (!m_arrivals.watch(m_drive, error))
        return false;
    setState(State::Waiting);
    return true;
}

void DiscBatch::stop()
{
    if (m_state == State::Idle || m_state == State::Stopped)
        return;
    m_stopAsked = true;
    m_nextDisc.reset();
    if (!m_disc) {
        finish();
        return;
    }
    if (m_disc->askingName) {
        if (!m_disc->label.isEmpty() && discNameProblem(m_disc->label).isEmpty())
            giveName(m_disc->label);
        else
            leaveDiscOut();
    } else if (m_disc->askingUpdate) {
        updateChangedDisc(false);
    }
}

void DiscBatch::arrived(const QString &drive, const DiscLocation &location)
{
    if (drive != m_drive || m_stopAsked
        || (m_state != State::Waiting && !m_disc))
        return;
    if (!m_disc) {
        startDisc(location);
        return;
    }
    // No disc goes in before the one in hand is out: while it is in, an
    // arrival is the same disc told again (mounted now, say), which is
    // read already. After it was taken out, the next disc waits its turn.
    if (m_disc->takenOut)
        m_nextDisc = location;
}

void DiscBatch::removed(const QString &drive)
{
    if (drive != m_drive)
        return;
    if (!m_disc) {
        m_nextDisc.reset();
        return;
    }
    m_disc->takenOut = true;
    // A listing cut short is worth nothing: the scan and the comparison
    // stop now. A disc scanned whole goes on without its drive.
    if (m_state == State::Scanning)
        m_task->requestStop();
}

void DiscBatch::startDisc(const DiscLocation &location)
{
    m_disc = std::make_unique<Disc>();
    m_disc->location = location;
    DirectoryReader *reader = m_folderReader;
    if (location.kind == DiscLocation::Kind::Device) {
        // A disc nobody mounted is read from the drive as a disc image; the
        // device is opened on the walk's thread, where a slow drive may
        // take its time.
        auto image = std::make_unique<DiscImageReader>();
        image->openOnFirstRead(location.path);
        reader = image.get();
        m_disc->ownReader = std::move(image);
    } else if (!reader) {
        m_disc->ownReader = std::make_unique<FileSystemReader>();
        reader = m_disc->ownReader.get();
    }
    setState(State::Scanning);
    m_disc->walking = true;
    m_task->run(
        [reader, location](TaskControl &control) {
            LabelledScan result;
            result.label = discLabel(location).trimmed();
            result.scan = scanDisc(*reader, location.path, control);
            return result;
        },
        [this](LabelledScan result) { scanned(std::move(result.scan), result.label); });
}

void DiscBatch::scanned(ScanResult &&result, QString label)
{
    m_disc->walking = false;
    m_disc->label = label;
    m_disc->name = label;
    m_disc->listing = std::move(result.listing);
    m_disc->files = m_disc->listing.count();
    if (m_disc->takenOut || result.cancelled) {
        addRow(DiscBatchRow::Outcome::NotRead, tr("not read: the disc was taken out of the drive"));
        return;
    }
    if (result.error) {
        addRow(DiscBatchRow::Outcome::NotRead,
               tr("not read: %1").arg(result.error.numberAndDescription()));
        return;
    }
    if (m_disc->listing.isEmpty()) {
        addRow(DiscBatchRow::Outcome::NotRead, tr("not read: the disc holds no files"));
        return;
    }
    m_task->run(recognitionWork(m_catalogPath, m_disc->listing),
                [this](RecognitionResult result) { recognised(result); });
}

void DiscBatch::recognised(const RecognitionResult &result)
{
    if (m_disc->takenOut || result.cancelled) {
        addRow(DiscBatchRow::Outcome::NotRead, tr("not read: the disc was taken out of the drive"));
        return;
    }
    // A catalog that is not there yet holds no disc: the first disc makes it.
    if (result.error && result.error.number() != FileNotFound) {
        addRow(DiscBatchRow::Outcome::NotWritten,
               tr("not added: %1").arg(result.error.numberAndDescription()));
        return;
    }
    if (!result.sameDisc) {
        askName();
        return;
    }
    m_disc->name = result.best.front().disc;
    auto update = std::make_shared<DiscUpdate>(m_catalogPath, m_disc->name, m_disc->listing);
    m_task->run(
        [update](TaskControl &) {
            PreparedUpdate prepared;
            prepared.update = update;
            prepared.problem = update->prepare();
            return prepared;
        },
        [this](PreparedUpdate prepared) {
            if (m_disc->takenOut) {
                addRow(DiscBatchRow::Outcome::NotRead,
                       tr("not read: the disc was taken out of the drive"));
                return;
            }
            if (prepared.problem != DiscUpdate::Problem::None) {
                addRow(DiscBatchRow::Outcome::NotWritten,
                       tr("not updated: %1")
                           .arg(updateProblemText(*prepared.update, prepared.problem)));
                return;
            }
            this->prepared(std::move(prepared.update));
        });
}

void DiscBatch::prepared(std::shared_ptr<DiscUpdate> update)
{
    m_disc->update = std::move(update);
    const DiscUpdate &changes = *m_disc->update;
    if (changes.addedCount() == 0 && changes.removedCount() == 0) {
        addRow(DiscBatchRow::Outcome::Known,
               tr("already in the catalog as %1").arg(m_disc->name));
        return;
    }
    if (m_stopAsked) {
        updateChangedDisc(false);
        return;
    }
    QStringList added;
    for (qsizetype line : changes.addedLines())
        added.append(m_disc->listing.at(line));
    QStringList removedPaths;
    for (qsizetype i = 0; i < changes.removedPaths().count(); ++i)
        removedPaths.append(changes.removedPaths().at(i));
    m_disc->askingUpdate = true;
    setState(State::Asking);
    emit changeFound(m_disc->name, added, removedPaths);
}

void DiscBatch::updateChangedDisc(bool update)
{
    if (!m_disc || !m_disc->askingUpdate)
        return;
    m_disc->askingUpdate = false;
    const DiscUpdate &changes = *m_disc->update;
    if (!update) {
        addRow(DiscBatchRow::Outcome::NotUpdated,
               changeText(tr("changed, left as it was"), changes.addedCount(),
                          changes.removedCount()));
        return;
    }
    applyUpdate();
}

void DiscBatch::applyUpdate()
{
    setState(State::Writing);
    std::shared_ptr<DiscUpdate> update = m_disc->update;
    m_task->run([update](TaskControl &) { return update->apply(); },
                [this](DiscUpdate::Problem problem) {
                    const DiscUpdate &update = *m_disc->update;
                    if (problem != DiscUpdate::Problem::None) {
                        addRow(DiscBatchRow::Outcome::NotWritten,
                               tr("not updated: %1").arg(updateProblemText(update, problem)));
                        return;
                    }
                    addRow(DiscBatchRow::Outcome::Updated,
                           changeText(tr("updated"), update.addedCount(), update.removedCount()));
                });
}

void DiscBatch::askName()
{
    // A label the catalog could not hold as it is proposes nothing.
    if (!discNameProblem(m_disc->label).isEmpty())
        m_disc->label.clear();
    if (m_stopAsked && m_disc->label.isEmpty()) {
        addRow(DiscBatchRow::Outcome::LeftOut, tr("not added: no name was given"));
        return;
    }
    if (m_stopAsked) {
        append(m_disc->label);
        return;
    }
    m_disc->askingName = true;
    setState(State::Asking);
    if (!m_disc->label.isEmpty())
        m_nameTimer->start(m_nameWait);
    emit nameWanted(m_disc->label);
}

void DiscBatch::nameTaken(const QString &name)
{
    // Asked again, with no label proposed: the label is the name taken.
    m_disc->label.clear();
    m_disc->name.clear();
    emit nameRefused(tr("The catalog already holds another disc named %1").arg(name));
    askName();
}

void DiscBatch::nameTimedOut()
{
    if (m_disc && m_disc->askingName && !m_disc->label.isEmpty())
        giveName(m_disc->label);
}

void DiscBatch::holdName()
{
    if (m_disc && m_disc->askingName)
        m_nameTimer->stop();
}

void DiscBatch::giveName(const QString &name)
{
    if (!m_disc || !m_disc->askingName)
        return;
    QString taken = name.trimmed();
    if (taken.isEmpty())
        taken = m_disc->label;
    if (taken.isEmpty())
        return; // a disc without a label waits for a name
    if (const QString problem = discNameProblem(taken); !problem.isEmpty()) {
        m_nameTimer->stop();
        emit nameRefused(problem);
        return;
    }
    m_nameTimer->stop();
    m_disc->askingName = false;
    append(taken);
}

void DiscBatch::leaveDiscOut()
{
    if (m_disc && m_disc->askingName)
        addRow(DiscBatchRow::Outcome::LeftOut, tr("not added: no name was given"));
}

void DiscBatch::append(const QString &name)
{
    m_disc->name = name;
    setState(State::Writing);
    const QString catalog = m_catalogPath;
    const LineStore *listing = &m_disc->listing;
    m_task->run(
        [catalog, name, listing](TaskControl &) {
            // Records under the name of another disc would make one disc
            // of the two.
            Appended appended;
            appended.nameTaken = catalogHoldsDisc(catalog, name);
            if (!appended.nameTaken)
                appended.error = appendCatalog(catalog, name, *listing);
            return appended;
        },
        [this, name](Appended appended) {
            if (appended.nameTaken) {
                nameTaken(name);
                return;
            }
            const RuntimeError &error = appended.error;
            if (error) {
                addRow(DiscBatchRow::Outcome::NotWritten,
                       tr("not added: %1").arg(error.numberAndDescription()));
                return;
            }
            addRow(DiscBatchRow::Outcome::Added, tr("added"));
        });
}

QString DiscBatch::changeText(const QString &lead, qsizetype added, qsizetype removed)
{
    return tr("%1: %2 added, %3 removed").arg(lead).arg(added).arg(removed);
}

void DiscBatch::addRow(DiscBatchRow::Outcome outcome, const QString &text)
{
    m_disc->askingName = false;
    m_disc->askingUpdate = false;
    m_nameTimer->stop();

    DiscBatchRow row;
    row.name = m_disc->name;
    row.files = m_disc->files;
    row.outcome = outcome;
    row.text = text;
    ++m_totals.discs;
    switch (outcome) {
    case DiscBatchRow::Outcome::Added:
        ++m_totals.added;
        m_totals.filesAdded += row.files;
        break;
    case DiscBatchRow::Outcome::Known:
        ++m_totals.known;
        break;
    case DiscBatchRow::Outcome::Updated:
        ++m_totals.updated;
        break;
    case DiscBatchRow::Outcome::NotUpdated:
        ++m_totals.notUpdated;
        break;
    case DiscBatchRow::Outcome::NotRead:
    case DiscBatchRow::Outcome::NotWritten:
        ++m_totals.failed;
        break;
    case DiscBatchRow::Outcome::LeftOut:
        ++m_totals.leftOut;
        break;
    }
    m_rows.push_back(row);
    emit rowAdded(row);
    discDone();
}

void DiscBatch::discDone()
{
    const bool takenOut = m_disc->takenOut;
    m_disc.reset();
    // The tray opens for the next disc; a disc taken out needs none.
    if (!takenOut) {
        if (RuntimeError error = m_arrivals.eject(m_drive))
            emit ejectFailed(error);
    }
    if (m_stopAsked) {
        finish();
        return;
    }
    if (m_nextDisc) {
        const DiscLocation next = *m_nextDisc;
        m_nextDisc.reset();
        startDisc(next);
        return;
    }
    setState(State::Waiting);
}

void DiscBatch::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void DiscBatch::finish()
{
    m_nameTimer->stop();
    m_arrivals.stopWatching();
    setState(State::Stopped);
    emit finished();
}

} // namespace kobrix
