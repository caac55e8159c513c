#pragma once

#include "catalog/CatalogLock.h"
#include "core/LineStore.h"
#include "core/RuntimeError.h"

#include <QString>

#include <chrono>
#include <vector>

class QIODevice;

namespace kobrix {

// Brings one disc of a catalog up to date with a new listing of it: every
// record of the disc, wherever it stands in the file (a disc appended twice
// has records in two places), is replaced by the new listing's records, at
// the place of the disc's first record; every other byte of the file stays
// as it was, line ends and old Windows-1252 records included.
//
// prepare() reads the catalog once and works out what changes, to be shown
// before anything is written; apply() then saves the updated catalog as
// safely as a write (CatalogSave.h: a failure leaves the old catalog), and
// refuses if the disc's records changed in the file meanwhile. apply()
// without prepare() (nothing to show first) reads the catalog only once,
// and the changes are known once it is written. The listing must stay
// unchanged and alive until apply() returns.
class DiscUpdate
{
public:
    DiscUpdate(QString catalogPath, QString discName, const LineStore &listing);

    // Why an update cannot go on; the catalog as it was either way.
    enum class Problem {
        None,
        CatalogError,   // the catalog could not be read or written: error()
        UnknownDisc,    // no record of the catalog carries the disc's name
        SharedLine,     // a line holds records of the disc and others (sharedLine())
        CatalogChanged, // apply(): the disc's records are no longer those prepare() found
    };

    // Reads the catalog: the disc's records and the changes. Holds the
    // catalog slot while it reads.
    Problem prepare();
    // Writes the update.
    Problem apply(std::chrono::milliseconds lockWait = kCatalogLockWait);

    RuntimeError error() const { return m_error; }
    // The line (from 1) of a SharedLine problem.
    qint64 sharedLine() const { return m_sharedLine; }
    // The message of a problem other than CatalogError, in the program's
    // texts, naming the catalog as given.
    QString problemText(Problem problem) const;

    const QString &catalogPath() const { return m_catalogPath; }
    const QString &discName() const { return m_discName; }
    const LineStore &listing() const { return m_listing; }

    // The changes (after prepare(), or after apply() succeeded), as
    // multisets of paths: a path the disc holds twice and
    // the listing once is one unchanged and one removed.
    // Lines of the listing that the disc does not hold, in listing order.
    const std::vector<qsizetype> &addedLines() const { return m_added; }
    // Paths of the disc's records that the listing does not hold, in
    // catalog order.
    const LineStore &removedPaths() const { return m_removed; }
    qsizetype addedCount() const { return qsizetype(m_added.size()); }
    qsizetype removedCount() const { return m_removed.count(); }
    qsizetype unchangedCount() const { return m_unchanged; }
    // The disc's records in the catalog before the update.
    qsizetype recordCount() const { return m_oldRecords.count(); }

    // The updated catalog, written to out from the old catalog's bytes read
    // from old: what apply() saves. Fails with editProblem() CatalogChanged
    // when prepared and the disc's records in old are not those prepare()
    // found; unprepared, with UnknownDisc or SharedLine as prepare() would.
    RuntimeError writeUpdated(QIODevice &old, QIODevice &out);
    // The problem that stopped writeUpdated() last, None when it was an
    // error of reading or writing (or there was none).
    Problem editProblem() const { return m_editProblem; }

private:
    void computeChanges();

    QString m_catalogPath;
    QString m_discName;
    const LineStore &m_listing;
    LineStore m_oldRecords; // the disc's fields, in file order
    std::vector<qsizetype> m_added;
    LineStore m_removed;
    qsizetype m_unchanged = 0;
    bool m_prepared = false;
    RuntimeError m_error;
    qint64 m_sharedLine = 0;
    qint64 m_sharedLineOffset = 0;
    Problem m_editProblem = Problem::None;
};

} // namespace kobrix
