#pragma once

#include "core/LineStore.h"
#include "core/RuntimeError.h"
#include "scan/DirectoryReader.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <deque>
#include <string>

namespace kobrix {

// Walks a disc breadth first into its listing: the files of the root, then
// the files of the directories one level down in the order of their parents'
// listings, then two levels down, and so on. Every directory below the root
// is queued in the directory list in the order found; every file becomes one
// listing line: a backslash and the path below the root, components joined
// by backslashes (\DATA\LEVEL1.DAT), on every platform.
//
// Runs one directory per step(), so a caller can pace it, or all at once with
// run(). A failure stops the walk; both lists keep what was added before it.
class DiscWalker
{
public:
    DiscWalker(DirectoryReader &reader, const QString &root, LineStore &directories,
               LineStore &listing);

    // Reads the next directory. Returns false when the walk is over (done or
    // failed).
    bool step();
    // Walks to the end, or until cancel becomes true (which cancels the
    // walk, as cancel() does).
    RuntimeError run(const std::atomic<bool> *cancel = nullptr);
    // Stops the walk where it stands: it is over, with no error, and
    // wasCancelled() says why. Both lists keep what was added before. A walk
    // that is over already stays as it ended.
    void cancel();

    bool isFinished() const { return m_finished; }
    bool wasCancelled() const { return m_cancelled; }
    // The failure that stopped the walk; none for a walk that was cancelled.
    RuntimeError error() const { return m_error; }
    // The folder whose reading failed, as the reader shows it.
    QString failedPath() const { return m_failedPath; }
    qsizetype filesFound() const { return m_listing.count(); }

private:
    struct Pending
    {
        QByteArray nativePath;
        QByteArray linePrefix; // "\DATA\DISK1" for the folder DATA/DISK1
    };

    // Makes room in the listing for what the reader says the walk will list.
    void reserveListing();
    void appendFiles(const QByteArray &linePrefix);
    void queueSubdirectories(const Pending &parent);
    void fail(const RuntimeError &error, const QByteArray &nativePath);
    void finish();

    DirectoryReader &m_reader;
    LineStore &m_directories;
    LineStore &m_listing;
    QByteArray m_root;
    std::deque<Pending> m_queue;
    DirectoryListing m_current;
    bool m_started = false;
    bool m_finished = false;
    bool m_cancelled = false;
    RuntimeError m_error;
    QString m_failedPath;
    std::string m_lineBuffer; // the line being made, its room kept from one to the next
};

} // namespace kobrix
