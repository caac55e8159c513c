// Writing a new catalog and appending a disc to one. A catalog is the user's
// only data: no failure may leave it lost, half-written or merged with another
// program's write.

#include "catalog/CatalogFile.h"
#include "catalog/CatalogLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace kobrix {

namespace {

constexpr qsizetype kWriteChunk = 1 << 20;

// Classifies a failure to open path for writing: the folder missing, the
// target being a folder, or what the OS said.
RuntimeError openFailure(const QString &path, int osError)
{
    const QFileInfo info(path);
    if (info.isDir())
        return RuntimeError(PathFileAccessError);
    if (!info.absoluteDir().exists())
        return RuntimeError(PathNotFound);
    if (osError == ENOENT)
        return RuntimeError(PathNotFound);
    return RuntimeError::fromErrno(osError ? osError : EACCES);
}

RuntimeError checkTargetName(const QString &path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return RuntimeError(BadFileNameOrNumber);
    // A folder, FIFO or device is no catalog: refuse it rather than block on
    // it or replace it with a regular file.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return RuntimeError(PathFileAccessError);
    return RuntimeError();
}

// Takes the catalog slot and checks the target's name and kind: what every
// write and append does first.
RuntimeError prepareTarget(CatalogSlot &slot, const QString &path)
{
    if (RuntimeError busy = slot.acquire())
        return busy;
    return checkTargetName(path);
}

// Builds the records of a disc block chunk by chunk and hands each chunk to
// sink, which returns false when the write failed. `lead` goes before the
// first record.
template <typename Sink>
bool writeRecords(QStringView discName, const LineStore &listing, const QByteArray &lead,
                  Sink &&sink)
{
    const QByteArray prefix = catalogLine(recordDiscName(discName), u"").toUtf8();
    const std::string_view prefixView(prefix.constData(), std::size_t(prefix.size()));
    QByteArray chunk = lead;
    chunk.reserve(kWriteChunk + 4096);
    for (qsizetype i = 0; i < listing.count(); ++i) {
        appendRecord(chunk, prefixView, listing.utf8At(i));
        if (chunk.size() >= kWriteChunk) {
            if (!sink(chunk))
                return false;
            chunk.clear();
        }
    }
    return chunk.isEmpty() || sink(chunk);
}

bool writeAll(int fd, const char *p, qsizetype left)
{
    while (left > 0) {
        const ssize_t n = ::write(fd, p, std::size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

bool syncFile(int fd) { return ::fsync(fd) == 0 || errno == EINVAL; }

// Writes the disc block (after `lead`) at fd's position and syncs it.
// Returns 0, or the system's error number of the failure.
int writeBlock(int fd, QStringView discName, const LineStore &listing, const QByteArray &lead)
{
    int failure = 0;
    const bool written = writeRecords(discName, listing, lead, [&](const QByteArray &chunk) {
        if (writeAll(fd, chunk.constData(), chunk.size()))
            return true;
        failure = errno;
        return false;
    });
    if (written && !syncFile(fd))
        failure = errno;
    else if (!written && failure == 0)
        failure = EIO;
    return failure;
}

// Copies every byte of `from` (read from its start) to `to` at its position.
bool copyBytes(int from, int to)
{
    if (::lseek(from, 0, SEEK_SET) < 0)
        return false;
    std::vector<char> buffer(static_cast<std::size_t>(kWriteChunk));
    for (;;) {
        const ssize_t n = ::read(from, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return true;
        if (!writeAll(to, buffer.data(), n))
            return false;
    }
}

// The new catalog through a temporary file beside it that replaces it only
// once every byte is on disk. Keeps the old file's mode, owner and group
// (`old`, when there is one). Sets `unsuitable` and writes nothing when that
// route cannot keep them, or cannot be taken at all (a read-only folder).
RuntimeError replaceCatalog(const QString &path, QStringView discName, const LineStore &listing,
                            const struct stat *old, bool &unsuitable)
{
    unsuitable = false;
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (old) {
            unsuitable = true; // a folder we may not write in: rewrite in place
            return RuntimeError();
        }
        return openFailure(path, errno);
    }
    if (old) {
        const int fd = file.handle();
        const bool sameOwner = old->st_uid == ::geteuid() && old->st_gid == ::getegid();
        if ((!sameOwner && ::fchown(fd, old->st_uid, old->st_gid) != 0)
            || ::fchmod(fd, old->st_mode & 07777) != 0) {
            file.cancelWriting();
            file.commit(); // discards the temporary file
            unsuitable = true;
            return RuntimeError();
        }
    }

    int writeErrno = 0;
    const bool written = writeRecords(discName, listing, {}, [&](const QByteArray &chunk) {
        errno = 0;
        if (file.write(chunk) == chunk.size())
            return true;
        writeErrno = errno ? errno : EIO;
        return false;
    });
    if (!written) {
        file.cancelWriting();
        file.commit(); // discards the temporary file
        return RuntimeError::fromErrno(writeErrno);
    }
    errno = 0;
    if (!file.commit())
        return RuntimeError::fromErrno(errno ? errno : EIO);
    return RuntimeError();
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

// The new catalog written into the old file itself, so that the file keeps
// its identity: its hard links, owner, group, mode and place, in a folder the
// user may not write in. The old bytes are copied aside first and put back if
// the write fails.
RuntimeError rewriteInPlace(const QString &path, QStringView discName, const LineStore &listing)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return openFailure(path, errno);
    struct FdCloser
    {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};

    QTemporaryFile copy;
    if (!openKeptCopy(path, copy))
        return RuntimeError::fromErrno(errno ? errno : ENOSPC);
    if (!copyBytes(fd, int(copy.handle())) || !syncFile(int(copy.handle())))
        return RuntimeError::fromErrno(errno ? errno : EIO); // nothing changed yet

    int failure = 0;
    if (::ftruncate(fd, 0) != 0 || ::lseek(fd, 0, SEEK_SET) != 0)
        failure = errno;
    else
        failure = writeBlock(fd, discName, listing, {});
    if (failure == 0)
        return RuntimeError();

    const RuntimeError error = RuntimeError::fromErrno(failure ? failure : EIO);
    const bool restored = ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0
        && copyBytes(int(copy.handle()), fd) && syncFile(fd);
    if (restored)
        return error;
    // The old catalog could not be put back: keep its copy and say where.
    copy.setAutoRemove(false);
    return RuntimeError(error.number(),
                        error.description() + QStringLiteral(" (the old catalog is kept in %1)")
                                                  .arg(QDir::toNativeSeparators(copy.fileName())));
}

} // namespace

RuntimeError writeCatalog(const QString &path, QStringView discName, const LineStore &listing,
                          std::chrono::milliseconds lockWait)
{
    CatalogSlot slot;
    if (RuntimeError refused = prepareTarget(slot, path))
        return refused;

    CatalogLock lock;
    if (RuntimeError error = lock.acquire(path, CatalogLock::OpenMode::ReadOnly, lockWait)) {
        if (error.number() == FileAlreadyOpen)
            return error;
        // An existing file we may not even read: it can only be replaced.
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return openFailure(path, lock.osError());
    }

    struct stat old {};
    struct stat link {};
    const bool exists = lock.fd() >= 0 && ::fstat(lock.fd(), &old) == 0;
    if (!exists) {
        bool unsuitable = false;
        return replaceCatalog(path, discName, listing, nullptr, unsuitable);
    }
    // A catalog under several names (hard links) or reached through a
    // symbolic link is written in place: a replacement would cut the others
    // off, who would keep the old catalog.
    const bool isLink = ::lstat(QFile::encodeName(path).constData(), &link) == 0
        && S_ISLNK(link.st_mode);
    if (!isLink && old.st_nlink == 1) {
        bool unsuitable = false;
        const RuntimeError error = replaceCatalog(path, discName, listing, &old, unsuitable);
        if (!unsuitable)
            return error;
    }
    return rewriteInPlace(path, discName, listing);
}

RuntimeError appendCatalog(const QString &path, QStringView discName, const LineStore &listing,
                           std::chrono::milliseconds lockWait)
{
    CatalogSlot slot;
    if (RuntimeError refused = prepareTarget(slot, path))
        return refused;

    CatalogLock lock;
    if (RuntimeError error = lock.acquire(path, CatalogLock::OpenMode::ReadWriteCreate, lockWait))
        return error.number() == FileAlreadyOpen ? error : openFailure(path, lock.osError());
    const int fd = lock.fd();
    const QByteArray nativePath = QFile::encodeName(path);

    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        if (lock.created())
            ::unlink(nativePath.constData());
        return RuntimeError(PathFileAccessError);
    }
    const off_t originalSize = opened.st_size;

    // A catalog whose last record lacks its line end (cut short, or edited
    // by hand) gets one first, so the new block starts on a line of its own.
    QByteArray lead;
    if (originalSize > 0) {
        char last = '\n';
        if (::pread(fd, &last, 1, originalSize - 1) == 1 && last != '\n' && last != '\r')
            lead = QByteArrayLiteral("\r\n");
    }

    const int failure = ::lseek(fd, 0, SEEK_END) == originalSize
        ? writeBlock(fd, discName, listing, lead)
        : (errno ? errno : EIO);
    if (failure) {
        // Leave the file as it was: cut back the part of the block that got
        // out, or remove the file this append created.
        if (lock.created())
            ::unlink(nativePath.constData());
        else
            (void)::ftruncate(fd, originalSize);
        return RuntimeError::fromErrno(failure);
    }
    return RuntimeError();
}

} // namespace kobrix
