#include "session/CatalogSession.h"

#include "catalog/CatalogFile.h"
#include "discs/Catalog.h"
#include "discs/DiscHits.h"
#include "discs/DiscIndex.h"
#include "scan/CatalogPaths.h"
#include "session/LineSearch.h"
#include "session/Task.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <new>
#include <set>

namespace kobrix {

namespace {

// Two names of one file compare equal: its canonical path where it exists.
QString fileKey(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

// A new catalog holding the lines shown, with room taken at once for the
// files to come, so that reading them never moves the lines in hand (a
// pause at every catalog otherwise). Their lines are estimated as the
// reader does: at most one per 16 bytes. Room never touched costs no memory.
LineStore copyForAdding(const LineStore &shown, qint64 fileBytes)
{
    LineStore target;
    try {
        const auto mostLines = std::size_t(fileBytes / 16);
        target.reserve(shown.byteSize() + std::size_t(fileBytes),
                       std::size_t(shown.count()) + mostLines);
        // The search keys of lines other than ASCII are about as long as
        // the lines.
        target.reserveNonAscii(shown.nonAsciiLines().size() + mostLines,
                               shown.keyByteSize() + std::size_t(fileBytes));
    } catch (const std::bad_alloc &) {
        // Only an estimate: the lines may still fit as they come.
    }
    target.appendStore(shown);
    return target;
}

} // namespace

qsizetype CatalogSession::Hits::total() const
{
    qsizetype sum = 0;
    for (const auto &group : lines)
        sum += qsizetype(group.size());
    return sum;
}

CatalogSession::CatalogSession(QObject *parent)
    : QObject(parent)
    , m_readTask(new Task(this))
    , m_countTask(new Task(this))
    , m_searchTask(new Task(this))
    , m_otherTask(new Task(this))
    , m_duplicatesTask(new Task(this))
{
    setSliceBudget(m_sliceBudget);
}

CatalogSession::~CatalogSession()
{
    // The workers read the lines and the index: they end before either goes.
    dropWork();
    m_readTask->cancel();
}

void CatalogSession::setSliceBudget(std::chrono::nanoseconds budget)
{
    m_sliceBudget = budget;
    for (Task *task : {m_readTask, m_searchTask})
        task->setSliceBudget(budget);
}

const LineStore &CatalogSession::lines() const
{
    return m_catalog->lines();
}

bool CatalogSession::isWorking() const
{
    // A catalog given and its discs not counted yet: reading or counting.
    if (m_catalog && !m_index)
        return true;
    for (const Task *task :
         {m_readTask, m_countTask, m_searchTask, m_otherTask, m_duplicatesTask}) {
        if (task->isRunning())
            return true;
    }
    return false;
}

QStringList CatalogSession::catalogNames() const
{
    QStringList names;
    if (m_parts.size() > 1) {
        for (const Part &part : m_parts)
            names << part.name;
    }
    return names;
}

void CatalogSession::showCatalog(const Catalog &catalog, const QString &name)
{
    m_catalog = &catalog;
    m_catalogName = name;
    m_parts = {{catalog.path(), name, 0, catalog.lines().count()}};
    // Once the window is on the screen: the worker would otherwise compete
    // with its first painting.
    QTimer::singleShot(0, this, &CatalogSession::countDiscs);
}

RuntimeError CatalogSession::readCatalogFile(const QString &path)
{
    m_ownCatalog = std::make_unique<Catalog>();
    m_ownCatalog->setPath(path);
    m_ownCatalog->setContent(Catalog::Content::CatalogLines);
    m_catalog = m_ownCatalog.get();
    m_catalogName = QFileInfo(path).fileName();
    m_parts = {{path, m_catalogName, 0, 0}};
    m_reader = std::make_unique<CatalogReader>();
    if (RuntimeError error = m_reader->open(path)) {
        m_reader.reset();
        return error;
    }
    Q_EMIT readingCatalog(m_catalogName);
    // The slices begin once the window is on the screen.
    QTimer::singleShot(0, this, [this] {
        m_readTask->runInSlices(
            [this](TaskControl &) {
                return m_reader->readSome(m_ownCatalog->lines(), m_sliceBudget);
            },
            [this] {
                const RuntimeError error = m_reader->error();
                m_reader->close();
                m_reader.reset();
                m_ownCatalog->markLinesChanged();
                m_parts.front().lineCount = m_ownCatalog->lines().count();
                // The discs of what was read are shown, also after a failure.
                countDiscs();
                if (error)
                    Q_EMIT readFailed(error);
            });
    });
    return {};
}

void CatalogSession::countDiscs()
{
    Q_EMIT countingStarted();
    // The index is built on first use: by the worker, which alone uses the
    // catalog until it is done.
    const Catalog *catalog = m_catalog;
    if (m_parts.size() <= 1) {
        m_countTask->run([catalog](TaskControl &) { return &catalog->discs(); },
                         [this](const DiscIndex *index) {
                             m_index = index;
                             Q_EMIT ready();
                         });
        return;
    }
    // Several catalogs: an index of their own, where each catalog's discs
    // stay apart.
    std::vector<qsizetype> starts;
    for (const Part &part : m_parts)
        starts.push_back(part.firstLine);
    m_countTask->run(
        [catalog, starts](TaskControl &) {
            auto index = std::make_unique<DiscIndex>();
            index->build(catalog->lines(), starts);
            return index;
        },
        [this](std::unique_ptr<DiscIndex> index) {
            m_partsIndex = std::move(index);
            m_index = m_partsIndex.get();
            Q_EMIT ready();
        });
}

// ---------------------------------------------------------------------------
// Adding catalogs

bool CatalogSession::addCatalogs(const QStringList &filesAndFolders)
{
    if (!m_index || isAddingCatalogs())
        return false;
    const CatalogPaths found(filesAndFolders);
    m_report = {};
    for (const UnreadableFolder &folder : found.unreadableFolders())
        m_report.failures.push_back({QString::fromUtf8(folder.shown), folder.error});
    for (const QString &given : filesAndFolders) {
        if (QFileInfo(given).isDir() && found.catalogs().empty())
            m_report.emptyFolders << QDir::toNativeSeparators(given);
    }
    std::set<QString> shown;
    for (const Part &part : m_parts)
        shown.insert(fileKey(part.path));
    m_toRead.clear();
    for (const CatalogPath &catalog : found.catalogs()) {
        if (shown.insert(fileKey(catalog.path)).second)
            m_toRead.push_back({catalog.path, QFileInfo(catalog.path).fileName(), 0, 0});
    }
    m_report.nothingNew = m_toRead.empty() && !found.catalogs().empty();
    if (m_toRead.empty()) {
        Q_EMIT addFinished(std::exchange(m_report, {}));
        return true;
    }
    qint64 fileBytes = 0;
    for (const Part &part : m_toRead)
        fileBytes += std::max<qint64>(QFileInfo(part.path).size(), 0);
    m_growingParts = m_parts;
    m_copying = true;
    Q_EMIT readingCatalog(m_toRead.front().name);
    // The new catalog starts with the lines shown, copied by the worker.
    const LineStore *shownLines = &lines();
    m_readTask->run(
        [shownLines, fileBytes](TaskControl &) { return copyForAdding(*shownLines, fileBytes); },
        [this](LineStore copy) {
            m_copying = false;
            // Moved, not copied: the room taken stays.
            m_growing = std::make_unique<Catalog>();
            m_growing->setContent(Catalog::Content::CatalogLines);
            m_growing->lines() = std::move(copy);
            m_readTask->runInSlices(
                [this](TaskControl &) {
                    readNext();
                    return m_toRead.empty();
                },
                [this] { finishAdding(); });
        });
    return true;
}

// Reads on in the first catalog still to read, for one slice.
void CatalogSession::readNext()
{
    Part &part = m_toRead.front();
    LineStore &store = m_growing->lines();
    if (!m_reader) {
        Q_EMIT readingCatalog(part.name);
        m_reader = std::make_unique<CatalogReader>();
        if (const RuntimeError error = m_reader->open(part.path)) {
            m_reader.reset();
            m_report.failures.push_back({QDir::toNativeSeparators(part.path), error});
            m_toRead.pop_front();
            return;
        }
        part.firstLine = store.count();
    }
    if (!m_reader->readSome(store, m_sliceBudget))
        return; // more in the next round of events
    const RuntimeError error = m_reader->error();
    m_reader->close();
    m_reader.reset();
    part.lineCount = store.count() - part.firstLine;
    // What was read of a catalog that failed half-way is shown, as when the
    // session reads its first catalog.
    if (!error || part.lineCount > 0)
        m_growingParts.push_back(part);
    if (error)
        m_report.failures.push_back({QDir::toNativeSeparators(part.path), error});
    m_toRead.pop_front();
}

void CatalogSession::finishAdding()
{
    if (m_growingParts.size() == m_parts.size()) {
        // Nothing could be read: the session stays as it was.
        m_growing.reset();
        m_growingParts.clear();
        Q_EMIT addFinished(std::exchange(m_report, {}));
        return;
    }
    // Nothing may read the old lines and discs any more.
    dropWork();
    m_byPath.reset();
    m_byName.reset();
    m_wantedOtherLine = -1;
    m_index = nullptr;
    Q_EMIT linesReplaced();

    m_ownCatalog = std::move(m_growing);
    m_ownCatalog->markLinesChanged();
    m_catalog = m_ownCatalog.get();
    m_parts = std::move(m_growingParts);
    m_growingParts.clear();
    nameCatalogs();
    countDiscs();
    AddReport report = std::exchange(m_report, {});
    report.changed = true;
    Q_EMIT addFinished(report);
}

// Catalogs of the same file name in different folders are told apart by
// their paths.
void CatalogSession::nameCatalogs()
{
    std::multiset<QString> names;
    for (Part &part : m_parts) {
        if (part.name.isEmpty())
            part.name = QDir::toNativeSeparators(part.path);
        names.insert(QFileInfo(part.path).fileName());
    }
    for (Part &part : m_parts) {
        const QString fileName = QFileInfo(part.path).fileName();
        if (!fileName.isEmpty() && names.count(fileName) > 1)
            part.name = QDir::toNativeSeparators(part.path);
    }
}

void CatalogSession::dropWork()
{
    for (Task *task : {m_searchTask, m_countTask, m_otherTask, m_duplicatesTask})
        task->cancel();
}

// ---------------------------------------------------------------------------
// The search, in slices of time between the events, its hits grouped by
// disc on a worker: for a search that matches every line that is megabytes
// to move.

void CatalogSession::search(const QString &typed)
{
    if (!m_index)
        return;
    auto search = std::make_shared<LineSearch>(lines(), typed);
    const DiscIndex *index = m_index;
    m_searchTask->runInSlices(
        [this, search](TaskControl &control) {
            if (search->step(control))
                return true;
            Q_EMIT searchProgressed(search->percentDone());
            return false;
        },
        [this, search, index] {
            m_searchTask->run(
                [search, index](TaskControl &) {
                    const std::vector<qsizetype> all = search->takeHits();
                    const DiscHitGroups grouped(*index, all);
                    Hits hits;
                    for (qsizetype group = 0; group < grouped.count(); ++group) {
                        const auto lines = grouped.hits(group);
                        hits.discs.push_back(grouped.disc(group));
                        hits.lines.emplace_back(lines.begin(), lines.end());
                    }
                    return hits;
                },
                [this](Hits hits) {
                    m_hits = std::move(hits);
                    Q_EMIT searchFinished();
                });
        });
}

void CatalogSession::stopSearch()
{
    m_searchTask->cancel();
    m_hits = {};
}

// ---------------------------------------------------------------------------
// The other discs holding a file, found by a worker

void CatalogSession::findOtherPlaces(qsizetype line)
{
    if (!m_index || line < 0 || line >= m_index->totalFiles())
        return;
    m_wantedOtherLine = line;
    if (!m_otherTask->isRunning())
        startOtherPlaces();
}

void CatalogSession::startOtherPlaces()
{
    const LineStore *store = &lines();
    const DiscIndex *index = m_index;
    const qsizetype line = m_wantedOtherLine;
    m_otherTask->run(
        [store, index, line](TaskControl &) { return findOnOtherDiscs(*store, *index, line); },
        [this, line](const OtherPlaces &found) {
            if (line != m_wantedOtherLine) {
                startOtherPlaces(); // another file was asked for meanwhile
                return;
            }
            Q_EMIT otherPlacesFound(line, found);
        });
}

// ---------------------------------------------------------------------------
// The files on several discs, found by a worker once for each kind

const DiscDuplicates *CatalogSession::duplicates(DiscDuplicates::Key key) const
{
    return (key == DiscDuplicates::Key::Path ? m_byPath : m_byName).get();
}

bool CatalogSession::findDuplicates(DiscDuplicates::Key key)
{
    if (!m_index)
        return false;
    m_wantedKey = key;
    if (duplicates(key))
        return true;
    if (!m_duplicatesTask->isRunning())
        startDuplicates();
    return false;
}

void CatalogSession::startDuplicates()
{
    const LineStore *store = &lines();
    const DiscIndex *index = m_index;
    const DiscDuplicates::Key key = m_wantedKey;
    m_duplicatesTask->run(
        [store, index, key](TaskControl &) {
            return std::make_unique<DiscDuplicates>(*store, *index, key);
        },
        [this, key](std::unique_ptr<DiscDuplicates> found) {
            (key == DiscDuplicates::Key::Path ? m_byPath : m_byName) = std::move(found);
            if (key != m_wantedKey && !duplicates(m_wantedKey)) {
                startDuplicates(); // the other kind was asked for meanwhile
                return;
            }
            Q_EMIT duplicatesFound(m_wantedKey);
        });
}

} // namespace kobrix
