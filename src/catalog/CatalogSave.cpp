// Saving catalog files: a new catalog, or a disc appended to one. A catalog
// is the user's only data: no failure may leave it lost, half-written or
// merged with another program's write.

#include "catalog/CatalogSave.h"

#include "catalog/CatalogFile.h"
#include "catalog/CatalogFileSystem.h"
#include "catalog/CatalogFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <vector>

namespace kobrix {

namespace {

constexpr qint64 kCopyChunk = 1 << 20;

// Classifies a failure to open path for writing: the folder missing, the
// target being a folder, or the open's error number (0 when it gave none).
RuntimeError openFailure(const QString &path, int number)
{
    const QFileInfo info(path);
    if (info.isDir())
        return RuntimeError(PathFileAccessError);
    if (!info.absoluteDir().exists())
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
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return RuntimeError(PathFileAccessError);
    return RuntimeError();
}

// The system's error number of the last failed read or write, EIO when the
// device gave none.
int lastError() { return errno ? errno : EIO; }

// Copies every byte of from (read from its start) to to at its position.
// Returns 0 or the system's error number.
int copyBytes(QIODevice &from, QIODevice &to)
{
    errno = 0;
    if (!from.seek(0))
        return lastError();
    std::vector<char> buffer(static_cast<std::size_t>(kCopyChunk));
    for (;;) {
        errno = 0;
        const qint64 n = from.read(buffer.data(), kCopyChunk);
        if (n < 0)
            return lastError();
        if (n == 0)
            return 0;
        errno = 0;
        if (to.write(buffer.data(), n) != n)
            return lastError();
    }
}

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

// A place for the copy of the old catalog: beside it when its folder allows,
// else in the system's temporary folder.
bool openKeptCopy(const QString &path, QTemporaryFile &copy)
{
    const QFileInfo info(path);
    copy.setFileTemplate(info.absolutePath() + QStringLiteral("/.") + info.fileName()
                         + QStringLiteral(".old-XXXXXX"));
    if (copy.open())
        return true;
    copy.setFileTemplate(QDir::tempPath() + QStringLiteral("/kobrix-") + info.fileName()
                         + QStringLiteral(".old-XXXXXX"));
    return copy.open();
}

// Empties file and writes from its start.
bool restart(QFile &file) { return file.resize(0) && file.seek(0); }

// RewriteInPlace: the new catalog written into the old file itself. The old
// bytes are copied aside first and put back if the write fails; an edit
// reads them from that copy.
RuntimeError rewriteInPlace(const QString &path, const CatalogEdit &edit)
{
    QFile file;
    bool created = false;
    if (const int failure = filesystem::openFile(path, filesystem::Access::ReadWrite, file, created))
        return openFailure(path, failure);

    QTemporaryFile copy;
    if (!openKeptCopy(path, copy))
        return RuntimeError::fromErrno(errno ? errno : ENOSPC);
    if (const int failure = copyBytes(file, copy))
        return RuntimeError::fromErrno(failure); // nothing changed yet
    if (const int failure = filesystem::syncFile(copy))
        return RuntimeError(failure);

    errno = 0;
    const CatalogContent content = [&](QIODevice &out) {
        return copy.seek(0) ? edit(copy, out) : RuntimeError::fromErrno(lastError());
    };
    const RuntimeError error = restart(file) ? writeAndSync(file, content)
                                             : RuntimeError::fromErrno(lastError());
    if (!error)
        return RuntimeError();

    const bool restored
        = restart(file) && copyBytes(copy, file) == 0 && filesystem::syncFile(file) == 0;
    if (restored)
        return error;
    // The old catalog could not be put back: keep its copy and say where.
    copy.setAutoRemove(false);
    return RuntimeError(error.number(),
                        error.description() + QStringLiteral(" (the old catalog is kept in %1)")
                                                  .arg(QDir::toNativeSeparators(copy.fileName())));
}

// What a new catalog is made of: content alone (a write), or the old
// catalog's bytes as well (an edit, which needs an old catalog).
enum class Source { Content, OldCatalog };

RuntimeError saveNewCatalog(const QString &path, SavePolicy policy, Source source,
                            const CatalogEdit &edit, std::chrono::milliseconds lockWait)
{
    CatalogLock lock;
    if (RuntimeError error = lock.acquire(path, CatalogLock::OpenMode::ReadOnly, lockWait)) {
        if (error.number() == FileAlreadyOpen)
            return error;
        // An existing file we may not even read: it can only be replaced,
        // and not edited.
        if (source == Source::OldCatalog || !QFileInfo::exists(path))
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
    if (policy == SavePolicy::Replace && !QFileInfo(path).isSymbolicLink() && old.links == 1) {
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
    if (RuntimeError error = lock.acquire(path, CatalogLock::OpenMode::ReadWriteCreate, lockWait))
        return error.number() == FileAlreadyOpen ? error : openFailure(path, lock.openError());
    QFile &file = lock.file();

    filesystem::FileFacts opened;
    if (!filesystem::fileFacts(file, opened) || !opened.regular) {
        if (lock.created())
            QFile::remove(path);
        return RuntimeError(PathFileAccessError);
    }
    const qint64 originalSize = opened.size;

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
    if (error) {
        // Leave the file as it was: cut back the part of the block that got
        // out, or remove the file this append created.
        if (lock.created())
            QFile::remove(path);
        else
            (void)file.resize(originalSize);
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
