#pragma once

#include "catalog/CatalogFileSystem.h"
#include "catalog/CatalogLock.h"
#include "core/RuntimeError.h"

#include <QFile>
#include <QString>

namespace kobrix {

// A rollback journal of a catalog: what a change of the catalog file itself
// is about to overwrite, kept in a file of its own until the change is
// complete, so that a process killed part-way (or a power loss) never leaves
// a catalog cut short or half written. Before the first byte of the catalog
// changes, the journal is written and put on the disk; once the catalog's
// new bytes are on the disk, it is removed. Every Kobrix process that opens
// the catalog and finds a journal left behind puts the old catalog back
// first (recoverCatalog).
//
// The journal lies beside the catalog (its real file, behind symbolic
// links) as ".NAME.kobrix-rollback". Where that folder may not be written in,
// or where the catalog has several names (hard links, perhaps in other
// folders), it lies in the temporary folder under the file's identity, which
// every name of the catalog leads to.
class CatalogJournal
{
public:
    // What the change does to the catalog: the old bytes to put back.
    enum class Change {
        Rewrite, // the catalog is written anew in place: its bytes are kept
        Append,  // bytes go behind its end: its length is kept
        Create,  // an append that created the file: it is removed again
    };

    CatalogJournal() = default;
    ~CatalogJournal();
    CatalogJournal(const CatalogJournal &) = delete;
    CatalogJournal &operator=(const CatalogJournal &) = delete;

    // Writes the journal of a change of catalog (path; locked exclusively
    // by the caller; facts its facts) and puts it on the disk. Nothing of
    // the catalog has changed yet; a failure leaves no journal.
    RuntimeError begin(const QString &path, QFile &catalog, const filesystem::FileFacts &facts,
                       Change change);
    // The old bytes of a Rewrite, positioned at their start.
    QIODevice &oldBytes();
    // The change is complete and on the disk: the journal goes.
    void finish();
    // Puts the old catalog back after a failed change and removes the
    // journal. On failure the journal stays, and recoverCatalog() tries
    // again the next time the catalog is opened.
    RuntimeError rollBack(QFile &catalog);
    // Whether catalog holds what it held before the change (a change that
    // could neither be made nor undone, as in a file system that ignores
    // both): then nothing needs putting back.
    bool isUnchanged(QFile &catalog);
    QString journalPath() const { return m_path; }

private:
    QString m_path;
    QFile m_file;
    qint64 m_bytesAt = 0; // where the old bytes start in the journal
    qint64 m_oldSize = 0;
    Change m_change = Change::Rewrite;
};

// Whether a journal of the catalog (path, open as file with facts) was
// left behind by a change that did not end.
bool hasLeftJournal(const QString &path, const filesystem::FileFacts &facts);
// Whether one of them is whole, so that its change may have begun: the
// catalog cannot be read before it is put back.
bool needsPuttingBack(const QString &path, const filesystem::FileFacts &facts);

// Puts back the catalog that a change left unfinished, when it finds the
// change's journal, and removes the journal; a journal written only in part
// (its change never began) is removed alone. The caller holds the catalog's
// exclusive lock, with catalog open for reading and writing. Fails (and
// keeps the journal) when the old catalog cannot be put back.
RuntimeError recoverCatalog(const QString &path, QFile &catalog);

// Opens path for writing under its exclusive lock (waiting up to lockWait
// for another holder) and recovers it (recoverCatalog). Nothing to do for a
// missing file. Fails with 70 when the catalog needs putting back but may
// not be written by this user, with 55 when the lock stays taken.
RuntimeError putBackUnfinishedChange(const QString &path,
                                     std::chrono::milliseconds lockWait = kCatalogLockWait);

} // namespace kobrix
