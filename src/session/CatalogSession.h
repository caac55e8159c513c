#pragma once

#include "core/RuntimeError.h"
#include "discs/DiscDuplicates.h"
#include "discs/DiscOtherPlaces.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <deque>
#include <memory>
#include <vector>

namespace kobrix {

class Catalog;
class CatalogReader;
class DiscIndex;
class LineStore;
class Task;

// What the Discs window shows, without the window: the lines of one or
// more catalogs, the catalogs they come from, and the discs counted in
// them; and the work on them, each piece a Task whose result is handed to
// this object by value on its own thread: reading a catalog file in
// slices, adding catalogs, counting the discs, the search grouped by disc,
// the other places of a file and the files on several discs.
//
// More catalogs can be added beside the first: the session then holds the
// lines of all of them, one catalog after another, in a catalog of its own
// (a catalog given by its owner is copied, never changed). Each catalog's
// discs stay its own, also where names are the same.
class CatalogSession : public QObject
{
    Q_OBJECT

public:
    // One catalog shown: its path, the name it is shown by, and its lines
    // in lines().
    struct Part
    {
        QString path;
        QString name;
        qsizetype firstLine = 0;
        qsizetype lineCount = 0;
    };
    // A catalog, or a folder, that could not be read while adding.
    struct Failure
    {
        QString shown;
        RuntimeError error;
    };
    // How an addition of catalogs went.
    struct AddReport
    {
        std::vector<Failure> failures;
        QStringList emptyFolders; // as given, with native separators
        bool nothingNew = false;  // every catalog found is shown already
        bool changed = false;     // lines were added: the discs are counted anew
    };
    // The hits of a search, by disc in the order of the discs.
    struct Hits
    {
        std::vector<qsizetype> discs;
        std::vector<std::vector<qsizetype>> lines; // of each disc
        qsizetype total() const;
    };

    explicit CatalogSession(QObject *parent = nullptr);
    ~CatalogSession() override; // drops running work and waits for it

    // Shows a catalog in hand, named by name; its discs are counted once
    // the events of this thread run. Its lines must stay unchanged while
    // shown, and nobody else may ask it for its discs while they are counted.
    void showCatalog(const Catalog &catalog, const QString &name);
    // Opens a catalog file: an error is handed back (countDiscs() then
    // shows an empty catalog). Otherwise the file is read in slices once
    // the events run, then its discs are counted; a failure half-way is
    // reported by readFailed() after the counting began.
    RuntimeError readCatalogFile(const QString &path);
    // Opens catalog files, and every catalog below folders (see
    // CatalogPaths), beside those shown: read in slices, then the discs of
    // all are counted again. A catalog shown already is left out; those
    // that cannot be read are reported in addFinished() and the others
    // still open. False (nothing done) until the discs are counted or while
    // catalogs are being added.
    bool addCatalogs(const QStringList &filesAndFolders);
    // Counts the discs of the lines held, on a worker: ready() when done.
    void countDiscs();

    const LineStore &lines() const;
    bool hasCatalog() const { return m_catalog != nullptr; }
    // The discs; nullptr until they are counted.
    const DiscIndex *index() const { return m_index; }
    const std::vector<Part> &parts() const { return m_parts; }
    // The names of the catalogs when there are several, else empty.
    QStringList catalogNames() const;
    // The catalog's name as given (a file name).
    const QString &catalogName() const { return m_catalogName; }
    bool isAddingCatalogs() const { return m_growing != nullptr || m_copying; }
    // Reading, counting, searching or finding is under way.
    bool isWorking() const;

    // Searches every line for a typed text (trimmed, see LineSearch) and
    // hands the hits by disc to searchFinished(); a search under way is
    // dropped.
    void search(const QString &typed);
    void stopSearch();
    // The hits of the search that finished last, taken out.
    Hits takeHits() { return std::exchange(m_hits, {}); }
    // Finds the other discs holding a line's file: otherPlacesFound(). A
    // request made while the worker is busy waits for it; only the last
    // one is answered.
    void findOtherPlaces(qsizetype line);
    // The paths, or file names, found on several discs; found once for
    // each kind. True when known already; otherwise duplicatesFound() says
    // when they are.
    bool findDuplicates(DiscDuplicates::Key key);
    const DiscDuplicates *duplicates(DiscDuplicates::Key key) const;

    // Work between two rounds of events while reading or searching.
    void setSliceBudget(std::chrono::nanoseconds budget);

Q_SIGNALS:
    void readingCatalog(const QString &name);
    void countingStarted();
    void readFailed(const RuntimeError &error);
    // The discs are counted: index() is set.
    void ready();
    // Catalogs were added: every result derived from the old lines is gone
    // (index() is nullptr) and the discs are being counted anew.
    void linesReplaced();
    // An addition of catalogs is read; with changed lines ready() follows.
    void addFinished(const CatalogSession::AddReport &report);
    void searchProgressed(int percent);
    void searchFinished(); // takeHits() has its hits
    void otherPlacesFound(qsizetype line, const OtherPlaces &found);
    void duplicatesFound(DiscDuplicates::Key key);

private:
    void readNext();
    void finishAdding();
    void nameCatalogs();
    void startOtherPlaces();
    void startDuplicates();
    void dropWork();

    const Catalog *m_catalog = nullptr;
    std::unique_ptr<Catalog> m_ownCatalog; // read from its file, or several
    QString m_catalogName;
    const DiscIndex *m_index = nullptr;
    std::vector<Part> m_parts;
    std::unique_ptr<DiscIndex> m_partsIndex; // of m_ownCatalog with several parts

    // Catalogs being added: read into a new catalog that holds the lines
    // shown and the new ones; the work on the old lines goes on meanwhile.
    std::unique_ptr<Catalog> m_growing;
    std::vector<Part> m_growingParts;
    std::deque<Part> m_toRead;
    AddReport m_report;
    bool m_copying = false;
    std::unique_ptr<CatalogReader> m_reader;

    qsizetype m_wantedOtherLine = -1;
    DiscDuplicates::Key m_wantedKey = DiscDuplicates::Key::Path;
    std::unique_ptr<DiscDuplicates> m_byPath;
    std::unique_ptr<DiscDuplicates> m_byName;
    Hits m_hits;

    std::chrono::nanoseconds m_sliceBudget = std::chrono::milliseconds(10);
    Task *m_readTask = nullptr; // reading, copying the lines shown, adding
    Task *m_countTask = nullptr;
    Task *m_searchTask = nullptr; // the search in slices, then its grouping
    Task *m_otherTask = nullptr;
    Task *m_duplicatesTask = nullptr;
};

} // namespace kobrix
