#pragma once

#include "core/RuntimeError.h"

#include <QFile>
#include <QString>

#include <chrono>

namespace kobrix {

// How long a writer waits for another program's write to the same catalog
// before it gives up with 55 "File already open".
inline constexpr std::chrono::milliseconds kCatalogLockWait{3000};

// Keeps other Kobrix processes away from a catalog while it is written,
// appended to or replaced: an exclusive lock of the operating system on the
// catalog file itself. The system drops the lock when its holder ends, so a
// killed writer never leaves a stale lock behind; local and network folders
// (NFS, SMB) carry such locks alike. Readers take a shared lock (ReadShared),
// so that they never see a catalog in the middle of a change.
//
// The lock belongs to the file's identity, not its name: a writer that
// replaces the catalog with a new file makes waiting writers re-open the name
// and lock the new file, so no append lands in a file that was replaced.
class CatalogLock
{
public:
    CatalogLock() = default;
    // A lock that opens the caller's file, which keeps the lock while it
    // stays open (the lock is the open file's), also after this object ends.
    explicit CatalogLock(QFile &file) : m_file(&file) {}
    ~CatalogLock()
    {
        if (m_file == &m_ownFile)
            release();
    }
    CatalogLock(const CatalogLock &) = delete;
    CatalogLock &operator=(const CatalogLock &) = delete;

    // Opens path (creating it with ReadWriteCreate when it is missing) and
    // locks it, waiting up to wait for another holder. The file is open for
    // reading and writing unless the mode is ReadOnly or ReadShared; the lock
    // is exclusive unless the mode is ReadShared.
    //   55 another process holds the lock for longer than wait
    //   other numbers: the file could not be opened (see openError())
    // Without ReadWriteCreate, a missing file is no error: the lock then
    // holds nothing (holdsFile() is false) and the caller creates the file
    // itself.
    enum class OpenMode { ReadOnly, ReadShared, ReadWrite, ReadWriteCreate };
    RuntimeError acquire(const QString &path, OpenMode mode,
                         std::chrono::milliseconds wait = kCatalogLockWait);
    void release();

    bool holdsFile() const { return m_file->isOpen(); }
    // The locked file, open unbuffered.
    QFile &file() { return *m_file; }
    // The error number of the open when the file could not be opened.
    int openError() const { return m_openError; }
    // True when the file did not exist and acquire() created it.
    bool created() const { return m_created; }

private:
    QFile m_ownFile;
    QFile *m_file = &m_ownFile;
    int m_openError = NoError;
    bool m_created = false;
};

} // namespace kobrix
