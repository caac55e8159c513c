// Saving catalog files: a new catalog, or a disc appended to one. A catalog
// is the user's only data: no failure may leave it lost, half-written or
// merged with another program's write.

#include "catalog/CatalogSave.h"

#include "catalog/CatalogFile.h"
#include "catalog/CatalogFileSystem.h"
#include "catalog/CatalogFormat.h"
#include "catalog/CatalogJournal.h"
#include "core/FileNames.h"

#include <QDir>
#include <QFile>

#include <cerrno>

namespace kobrix {

namespace {

// Classifies a failure to open path for writing: the folder missing, the
// target being a folder, or the open's error number (0 when it gave none).
RuntimeError openFailure(const QString &path, int number)
{
    if (filesystem::pathKind(path) == filesystem::PathKind::Folder)
        return RuntimeError(PathFileAccessError);
    if (!filesystem::parentFolderExists(path))
        return RuntimeError(PathNotFound);
    if (number == FileNotFound)
        return RuntimeError(PathNotFound);
    return RuntimeError(number != NoError ? number : int(PermissionDenied));
}

// Takes the catalog slot and checks the target's name and kind: what every
// save does first. A folder, FIFO or device is no catalog: refuse it rather
// than block on it or replace it with a regular file.
RuntimeError prepareTarget(CatalogSlot &slot, const QString &path)
{
    if (RuntimeError busy = slot.acquire())
        return busy;
    if (path.isEmpty() || path.contains(QChar(0)))
        return RuntimeError(BadFileNameOrNumber);
    const filesystem::PathKind kind = filesystem::pathKind(path);
    if (kind != filesystem::PathKind::Missing && kind != filesystem::PathKind::File)
        return RuntimeError(PathFileAccessError);
    return RuntimeError();
}

// The system's error number of the last failed read or write, EIO when the
// device gave none.
int lastError() { return errno ? errno : EIO; }

// Writes content into file and puts it on disk.
RuntimeError writeAndSync(QFile &file, const CatalogContent &content)
{
    if (RuntimeError error = content(file))
        return error;
    return RuntimeError(filesystem::syncFile(file));
}

// Replace: the new catalog through a temporary file beside it that replaces
// it only once every byte is on disk. Keeps the old file's mode, owner and
// group (old, when there is one; oldFile is its open handle). Sets
// unsuitable and writes nothing when that route cannot keep them, or cannot
// be taken at all (a read-only folder).
RuntimeError replaceCatalog(const QString &path, const CatalogContent &content,
                            const filesystem::FileFacts *old, QFileDevice *oldFile,
                            bool &unsuitable)
{
    unsuitable = false;
    filesystem::ReplacementFile replacement(path);
    if (const int failure = replacement.open()) {
        if (old) {
            unsuitable = true; // a folder we may not write in: rewrite in place
            return RuntimeError();
        }
        return openFailure(path, failure);
    }
    if (old && !filesystem::carryOwnerAndMode(replacement.file(), *old)) {
        replacement.discard();
        unsuitable = true;
        return RuntimeError();
    }
    if (RuntimeError error = content(replacement.file())) {
        replacement.discard();
        return error;
    }
    return RuntimeError(replacement.commit(oldFile));
}

// Empties file and writes from its start.
bool restart(QFile &file) { return file.resize(0) && file.seek(0); }

// RewriteInPlace: the new catalog written into the old file itself. The old
// bytes go into the catalog's rollback journal first, which an edit reads
// them from, and are put back if the write fails (or, after a kill, by the
// next process that opens the catalog).
RuntimeError rewriteInPlace(const QString &path, const CatalogEdit &edit)
{
    QFile file;
    bool created = false;
    if (const int failure = filesystem::openFile(path, filesystem::Access::ReadWrite, file, created))
        return openFailure(path, failure);
    filesystem::FileFacts facts;
    if (!filesystem::fileFacts(file, facts))
        return RuntimeError(PathFileAccessError);

    CatalogJournal journal;
    if (RuntimeError error = journal.begin(path, file, facts, CatalogJournal::Change::Rewrite))
        return error; // nothing changed yet

    errno = 0;
    if (!restart(file)) {
        // Emptying the file is the first change, and it did not happen.
        const RuntimeError error = RuntimeError::fromErrno(lastError());
        journal.finish();
        return error;
    }
    const RuntimeError error = writeAndSync(file, [&](QIODevice &out) {
        return edit(journal.oldBytes(), out);
    });
    if (!error) {
        journal.finish();
        return RuntimeError();
    }
    if (!journal.rollBack(file))
        return error;
    if (journal.isUnchanged(file)) {
        journal.finish();
        return error;
    }
    // The old catalog could not be put back now: its journal stays, and the
    // next program to open the catalog puts it back.
    return RuntimeError(error.number(),
                        error.description()
                            + QStringLiteral(" (the old catalog is put back the next time "
                                             "the catalog is opened; until then it is kept in %1)")
                                  .arg(QDir::toNativeSeparators(
                                      displayFileName(journal.journalPath()))));
}

// Puts back a catalog that a change left unfinished (a process killed
// part-way), before anything else reads or changes it. lock holds the
// catalog; it is taken again after a repair, which may have removed the
// file (an append that had created it).
RuntimeError takeRepairedCatalog(CatalogLock &lock, const QString &path, CatalogLock::OpenMode mode,
                                 std::chrono::milliseconds lockWait)
{
    filesystem::FileFacts facts;
    if (!lock.holdsFile() || !filesystem::fileFacts(lock.file(), facts)
        || !hasLeftJournal(path, facts))
        return RuntimeError();
    lock.release();
    if (RuntimeError error = putBackUnfinishedChange(path, lockWait))
        return error;
    return lock.acquire(path, mode, lockWait);
}

// What a new catalog is made of: content alone (a write), or the old
// catalog's bytes as well (an edit, which needs an old catalog).
enum class Source { Content, OldCatalog };

RuntimeError saveNewCatalog(const QString &path, SavePolicy policy, Source source,
                            const CatalogEdit &edit, std::chrono::milliseconds lockWait)
{
    CatalogLock lock;
    RuntimeError error = lock.acquire(path, CatalogLock::OpenMode::ReadOnly, lockWait);
    if (!error)
        error = takeRepairedCatalog(lock, path, CatalogLock::OpenMode::ReadOnly, lockWait);
    if (error) {
        if (error.number() == FileAlreadyOpen || error.number() == PermissionDenied)
            return error;
        // An existing file we may not even read: it can only be replaced,
        // and not edited.
        if (source == Source::OldCatalog || filesystem::pathKind(path) == filesystem::PathKind::Missing)
            return openFailure(path, lock.openError());
    }

    filesystem::FileFacts old;
    const bool exists = lock.holdsFile() && filesystem::fileFacts(lock.file(), old);
    if (exists && !old.regular)
        return RuntimeError(PathFileAccessError);
    bool unsuitable = false;
    if (!exists) {
        if (source == Source::OldCatalog)
            return RuntimeError(lock.holdsFile() ? PathFileAccessError : FileNotFound);
        return replaceCatalog(
            path, [&](QIODevice &out) { return edit(lock.file(), out); }, nullptr,
            lock.holdsFile() ? &lock.file() : nullptr, unsuitable);
    }
    // A catalog under several names (hard links) or reached through a
    // symbolic link is written in place: a replacement would cut the others
    // off, who would keep the old catalog.
    if (policy == SavePolicy::Replace && !filesystem::isSymbolicLink(path) && old.links == 1) {
        // The locked file is the old catalog: its bytes stay as they are
        // until the replacement takes its name.
        const CatalogContent content = [&](QIODevice &out) {
            errno = 0;
            return lock.file().seek(0) ? edit(lock.file(), out)
                                       : RuntimeError::fromErrno(lastError());
        };
        const RuntimeError error = replaceCatalog(path, content, &old, &lock.file(), unsuitable);
        if (!unsuitable)
            return error;
    }
    return rewriteInPlace(path, edit);
}

// Append: the content behind the last byte, cut back on failure.
RuntimeError appendToCatalog(const QString &path, const CatalogContent &content,
                             std::chrono::milliseconds lockWait)
{
    CatalogLock lock;
    RuntimeError locked = lock.acquire(path, CatalogLock::OpenMode::ReadWriteCreate, lockWait);
    if (!locked)
        locked = takeRepairedCatalog(lock, path, CatalogLock::OpenMode::ReadWriteCreate, lockWait);
    if (locked)
        return locked.number() == FileAlreadyOpen || locked.number() == PermissionDenied
            ? locked
            : openFailure(path, lock.openError());
    QFile &file = lock.file();

    filesystem::FileFacts opened;
    if (!filesystem::fileFacts(file, opened) || !opened.regular) {
        if (lock.created())
            filesystem::removeFile(filesystem::realPath(path));
        return RuntimeError(PathFileAccessError);
    }
    const qint64 originalSize = opened.size;
    // The length to put back if the append does not end, on the disk before
    // the first byte goes out.
    CatalogJournal journal;
    if (RuntimeError error = journal.begin(path, file, opened,
                                           lock.created() ? CatalogJournal::Change::Create
                                                          : CatalogJournal::Change::Append)) {
        if (lock.created())
            filesystem::removeFile(filesystem::realPath(path));
        return error;
    }

    // A catalog whose last record lacks its line end (cut short, or edited
    // by hand) gets one first, so the new block starts on a line of its own.
    bool needsLineEnd = false;
    if (originalSize > 0) {
        char last = '\n';
        needsLineEnd = file.seek(originalSize - 1) && file.read(&last, 1) == 1 && last != '\n'
            && last != '\r';
    }

    errno = 0;
    RuntimeError error;
    if (!file.seek(originalSize))
        error = RuntimeError::fromErrno(lastError());
    else if (needsLineEnd && file.write("\r\n", 2) != 2)
        error = RuntimeError::fromErrno(lastError());
    else
        error = writeAndSync(file, content);
    if (!error) {
        journal.finish();
        return RuntimeError();
    }
    // Leave the file as it was: cut back the part of the block that got
    // out, or remove the file this append created. When that fails, the
    // journal stays for the next program that opens the catalog.
    if (lock.created()) {
        if (filesystem::removeFile(filesystem::realPath(path)) || filesystem::pathKind(path) == filesystem::PathKind::Missing)
            journal.finish();
    } else if (file.resize(originalSize) && filesystem::syncFile(file) == 0) {
        journal.finish();
    }
    return error;
}

} // namespace

RuntimeError saveCatalog(const QString &path, SavePolicy policy, const CatalogContent &content,
                         std::chrono::milliseconds lockWait)
{
    CatalogSlot slot;
    if (RuntimeError refused = prepareTarget(slot, path))
        return refused;
    switch (policy) {
    case SavePolicy::Replace:
    case SavePolicy::RewriteInPlace:
        return saveNewCatalog(
            path, policy, Source::Content,
            [&](QIODevice &, QIODevice &out) { return content(out); }, lockWait);
    case SavePolicy::Append: return appendToCatalog(path, content, lockWait);
    }
    return RuntimeError(BadFileNameOrNumber);
}

RuntimeError editCatalog(const QString &path, const CatalogEdit &edit,
                         std::chrono::milliseconds lockWait)
{
    CatalogSlot slot;
    if (RuntimeError refused = prepareTarget(slot, path))
        return refused;
    return saveNewCatalog(path, SavePolicy::Replace, Source::OldCatalog, edit, lockWait);
}

RuntimeError writeCatalog(const QString &path, QStringView discName, const LineStore &listing,
                          std::chrono::milliseconds lockWait)
{
    return saveCatalog(
        path, SavePolicy::Replace,
        [&](QIODevice &out) { return writeDiscBlock(out, discName, listing); }, lockWait);
}

RuntimeError appendCatalog(const QString &path, QStringView discName, const LineStore &listing,
                           std::chrono::milliseconds lockWait)
{
    return saveCatalog(
        path, SavePolicy::Append,
        [&](QIODevice &out) { return writeDiscBlock(out, discName, listing); }, lockWait);
}

} // namespace kobrix
