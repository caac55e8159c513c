#pragma once

#include <QFile>
#include <QString>

#include <memory>

// What the catalog reader, writers and lock ask of the operating system,
// beyond what Qt's file classes offer. Each platform implements these in a
// file of its own (CatalogFileSystem_posix.cpp, CatalogFileSystem_win.cpp);
// nothing else in the catalog code calls the system directly.
//
// Failures are reported as the program's error numbers (ErrorNumber: 53 a
// missing file, 70 access refused, ...), mapped from the system's own codes
// (errno, GetLastError) in the platform's file, the same number for the same
// failure on every platform.
namespace kobrix::filesystem {

// What the writers need to know of an open catalog file.
struct FileFacts
{
    bool regular = false; // a plain file: not a folder, FIFO or device
    qint64 size = 0;
    qint64 links = 1; // how many names (hard links) the file has
    // Owner, group and permission bits, carried over to a replacement.
    unsigned owner = 0;
    unsigned group = 0;
    unsigned mode = 0;
    // Which file it is, the same through every name: the device (volume)
    // and the file's number on it.
    quint64 device = 0;
    quint64 inode = 0;
    // When the file was made (nanoseconds, 0 where the system cannot
    // say): tells a file from a later one given the same number.
    quint64 birth = 0;
};

enum class Access { Read, ReadWrite, ReadWriteCreate };

// Opens path for file (unbuffered; file owns the handle and closes it). A
// FIFO or device never blocks the open; the handle is not inherited by child
// processes. With ReadWriteCreate a missing file is created (exclusively:
// when another process created it meanwhile the open is tried again), and
// created tells so. Returns 0 or the error number: 53 (FileNotFound) for a
// missing file; on Windows 76 when its folder is missing too.
int openFile(const QString &path, Access access, QFile &file, bool &created);

// Reads up to size bytes at offset of an open file without moving its
// position, so that several threads may read one file at once. Returns the
// bytes read (0 at the end of the file), or -1 with errorNumber set to the
// program's error number.
qint64 readAt(const QFileDevice &file, qint64 offset, char *data, qint64 size, int &errorNumber);

// Facts of an open file; false when the system could not say.
bool fileFacts(const QFileDevice &file, FileFacts &facts);

// The result of trying to take a file's exclusive lock once.
enum class LockAttempt {
    Locked,      // ours now (or the file system has no locks: write unguarded)
    HeldByOther, // another process holds it
    Failed,      // the system refused the lock for another reason
};
LockAttempt tryLockExclusive(QFileDevice &file);
// The same for a shared lock, which readers take: many at once, but none
// while a writer holds the exclusive one.
LockAttempt tryLockShared(QFileDevice &file);

// Whether path still names the file open in file (it was not replaced or
// removed meanwhile).
bool isSameFile(const QFileDevice &file, const QString &path);

// What a name leads to (following symbolic links), for the checks before a
// save and the messages after a failure. Names are held as in
// core/FileNames.h: opened with exactly their bytes.
enum class PathKind { Missing, File, Folder, Other };
PathKind pathKind(const QString &path);
// Whether the name itself is a symbolic link.
bool isSymbolicLink(const QString &path);
// Whether the folder that holds path exists.
bool parentFolderExists(const QString &path);
// The path with every symbolic link resolved; empty when it leads nowhere.
QString realPath(const QString &path);
// The folder part of a path ("." for a bare name).
QString folderOf(const QString &path);
// Removes a file (not a folder). False when it could not.
bool removeFile(const QString &path);

// Whether two names reach one and the same file (through symbolic or hard
// links alike). False when either cannot be reached.
bool isSameFileAs(const QString &a, const QString &b);

// Puts what was written to file on the disk. Returns 0 or the error number; a file that cannot be synced (a pipe, some special file systems)
// counts as synced.
int syncFile(QFileDevice &file);

// Puts a folder's entries (files created, renamed or removed in it) on the
// disk; does nothing where the system cannot.
void syncFolder(const QString &folder);

// Creates path anew for writing, readable by its owner only, never through
// a symbolic link or into a file someone else put there: whatever the name
// held is removed first. Returns 0 or the error number.
int createPrivateFile(const QString &path, QFile &file);

// Whether a file left in a folder that others may write in (the temporary
// folder) may be trusted as a catalog's own: a plain file, not a link,
// owned by this user or by the owner of the catalog (facts). True where
// the system has no such owners.
bool isTrustedLeftover(const QString &path, const FileFacts &catalog);

// Gives file the owner, group and permission bits of another (facts), so that
// a replacement looks to every user like the file it replaces. False when
// that is not allowed.
bool carryOwnerAndMode(QFileDevice &file, const FileFacts &facts);

// A new file beside a catalog that takes the catalog's name once it is
// complete (the Replace policy): until commit() the catalog stays as it was,
// and a file that is not committed is removed.
class ReplacementFile
{
public:
    explicit ReplacementFile(const QString &path);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile &) = delete;
    ReplacementFile &operator=(const ReplacementFile &) = delete;

    // Creates the new file. Returns 0 or the error number (0 also when the
    // system gave no reason, which the caller classifies).
    int open();
    // The new file, open for writing after open().
    QFileDevice &file();
    // Puts every byte on the disk and gives the new file the catalog's name,
    // replacing the file there. old is the open handle of the file being
    // replaced, if any: POSIX systems rename over it and leave it open (its
    // lock then keeps other writers waiting until the new file has the
    // name); Windows refuses to replace a file while any handle to it is
    // open, so it is closed first. Returns 0 or the error number: on Windows
    // 55 when another program still has the old file open; the old file then
    // stays as it was.
    int commit(QFileDevice *old);
    // Removes the new file; the catalog stays as it was.
    void discard();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// A write that outgrows the file size limit fails with EFBIG (disk full, 61)
// instead of ending the program. Called once at the start of the programs.
void ignoreFileSizeSignal();

} // namespace kobrix::filesystem
