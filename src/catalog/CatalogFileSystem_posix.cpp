// The catalog file code's system calls on POSIX systems (Linux, the BSDs,
// macOS).

#include "catalog/CatalogFileSystem.h"

#include "core/FileNames.h"
#include "core/RuntimeError.h"

#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kobrix::filesystem {

int openFile(const QString &path, Access access, QFile &file, bool &created)
{
    created = false;
    const QByteArray nativePath = encodeFileName(path);
    int flags = O_CLOEXEC | O_NONBLOCK; // a FIFO or device must not block the open
    flags |= access == Access::Read ? O_RDONLY : O_RDWR;
    int fd = ::open(nativePath.constData(), flags);
    // A missing file is created exclusively, so that created is only true
    // for the one writer that made it; when another writer created it just
    // now, that one is opened. A name that exists but leads nowhere (a
    // symbolic link to a missing file) fails both ways: its target is
    // created through the link, as any program's write would.
    for (int attempt = 0; fd < 0 && errno == ENOENT && access == Access::ReadWriteCreate;
         ++attempt) {
        if (attempt == 2) {
            struct stat named {};
            const bool dangling = ::lstat(nativePath.constData(), &named) == 0
                && S_ISLNK(named.st_mode);
            fd = ::open(nativePath.constData(), flags | O_CREAT, 0666);
            created = fd >= 0 && dangling;
            break;
        }
        fd = ::open(nativePath.constData(), flags | O_CREAT | O_EXCL, 0666);
        if (fd >= 0) {
            created = true;
            break;
        }
        if (errno != EEXIST)
            break;
        fd = ::open(nativePath.constData(), flags);
    }
    if (fd < 0)
        return RuntimeError::fromErrno(errno).number();
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const QIODevice::OpenMode mode = access == Access::Read ? QIODevice::ReadOnly
                                                            : QIODevice::ReadWrite;
    if (!file.open(fd, mode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return BadFileNameOrNumber;
    }
    return 0;
}

qint64 readAt(const QFileDevice &file, qint64 offset, char *data, qint64 size, int &errorNumber)
{
    for (;;) {
        const ssize_t n = ::pread(file.handle(), data, std::size_t(size), off_t(offset));
        if (n >= 0)
            return n;
        if (errno != EINTR) {
            errorNumber = RuntimeError::fromErrno(errno).number();
            return -1;
        }
    }
}

bool fileFacts(const QFileDevice &file, FileFacts &facts)
{
    struct stat st {};
    if (::fstat(file.handle(), &st) != 0)
        return false;
    facts.regular = S_ISREG(st.st_mode);
    facts.size = qint64(st.st_size);
    facts.links = qint64(st.st_nlink);
    facts.owner = unsigned(st.st_uid);
    facts.group = unsigned(st.st_gid);
    facts.mode = unsigned(st.st_mode & 07777);
    facts.device = quint64(st.st_dev);
    facts.inode = quint64(st.st_ino);
    facts.birth = 0;
#ifdef STATX_BTIME
    struct statx born {};
    if (::statx(file.handle(), "", AT_EMPTY_PATH, STATX_BTIME, &born) == 0
        && (born.stx_mask & STATX_BTIME))
        facts.birth = quint64(born.stx_btime.tv_sec) * 1000000000u + born.stx_btime.tv_nsec;
#endif
    return true;
}

namespace {

LockAttempt tryLock(QFileDevice &file, int kind)
{
    for (;;) {
        if (::flock(file.handle(), kind | LOCK_NB) == 0)
            return LockAttempt::Locked;
        if (errno == EINTR)
            continue;
        if (errno == EWOULDBLOCK)
            return LockAttempt::HeldByOther;
        // A file system without locks: write unguarded rather than refuse
        // every catalog on it.
        if (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS)
            return LockAttempt::Locked;
        return LockAttempt::Failed;
    }
}

} // namespace

LockAttempt tryLockExclusive(QFileDevice &file) { return tryLock(file, LOCK_EX); }

LockAttempt tryLockShared(QFileDevice &file) { return tryLock(file, LOCK_SH); }

bool isSameFile(const QFileDevice &file, const QString &path)
{
    struct stat opened {};
    struct stat named {};
    return ::fstat(file.handle(), &opened) == 0
        && ::stat(encodeFileName(path).constData(), &named) == 0
        && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

PathKind pathKind(const QString &path)
{
    struct stat st {};
    if (::stat(encodeFileName(path).constData(), &st) != 0)
        return PathKind::Missing;
    return S_ISREG(st.st_mode) ? PathKind::File : S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::Other;
}

bool isSymbolicLink(const QString &path)
{
    struct stat st {};
    return ::lstat(encodeFileName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

bool parentFolderExists(const QString &path) { return pathKind(folderOf(path)) == PathKind::Folder; }

QString realPath(const QString &path)
{
    char *resolved = ::realpath(encodeFileName(path).constData(), nullptr);
    if (!resolved)
        return QString();
    const QString real = decodeFileName(resolved);
    ::free(resolved);
    return real;
}

bool removeFile(const QString &path) { return ::unlink(encodeFileName(path).constData()) == 0; }

bool isSameFileAs(const QString &a, const QString &b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(encodeFileName(a).constData(), &first) == 0
        && ::stat(encodeFileName(b).constData(), &second) == 0
        && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

int syncFile(QFileDevice &file)
{
    if (::fsync(file.handle()) == 0 || errno == EINVAL)
        return NoError;
    return RuntimeError::fromErrno(errno).number();
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(encodeFileName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

int createPrivateFile(const QString &path, QFile &file)
{
    const QByteArray nativePath = encodeFileName(path);
    if (::unlink(nativePath.constData()) != 0 && errno != ENOENT)
        return RuntimeError::fromErrno(errno).number();
    const int fd = ::open(nativePath.constData(),
                          O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return RuntimeError::fromErrno(errno).number();
    if (!file.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        ::unlink(nativePath.constData());
        return BadFileNameOrNumber;
    }
    return NoError;
}

bool isTrustedLeftover(const QString &path, const FileFacts &catalog)
{
    struct stat st {};
    if (::lstat(encodeFileName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    return st.st_uid == ::geteuid() || st.st_uid == uid_t(catalog.owner);
}

bool carryOwnerAndMode(QFileDevice &file, const FileFacts &facts)
{
    const int fd = file.handle();
    const bool sameOwner = facts.owner == ::geteuid() && facts.group == ::getegid();
    if (!sameOwner && ::fchown(fd, uid_t(facts.owner), gid_t(facts.group)) != 0)
        return false;
    return ::fchmod(fd, mode_t(facts.mode)) == 0;
}

// The new file is made in the catalog's folder and renamed over the
// catalog; a rename replaces an open file, so the old handle stays open.
// Where the system can (Linux), the new file has no name until its commit,
// so a writer killed part-way leaves nothing behind. Names go to the system
// as their exact bytes.
struct ReplacementFile::Private
{
    explicit Private(const QString &path) : path(encodeFileName(path)) {}

    QByteArray newName() const
    {
        return path + ".new-"
            + QByteArray::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 16);
    }

    QByteArray path;
    QByteArray temporaryPath; // the new file's name, once it has one
    bool unnamed = false;
    QFile file;
};

ReplacementFile::ReplacementFile(const QString &path) : d(std::make_unique<Private>(path)) {}

ReplacementFile::~ReplacementFile() { discard(); }

int ReplacementFile::open()
{
    discard();
    // Made as any new file is (0666 less the umask); a replacement gets the
    // old catalog's mode afterwards.
    int fd = -1;
#ifdef O_TMPFILE
    fd = ::open(encodeFileName(folderOf(decodeFileName(d->path))).constData(),
                O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    d->unnamed = fd >= 0;
    if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return RuntimeError::fromErrno(errno).number();
#endif
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        const QByteArray candidate = d->newName();
        fd = ::open(candidate.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            d->temporaryPath = candidate;
        else if (errno != EEXIST) // else a name taken: draw another
            return RuntimeError::fromErrno(errno).number();
    }
    if (fd < 0)
        return PathFileAccessError;
    if (!d->file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                      QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        discard();
        return BadFileNameOrNumber;
    }
    return NoError;
}

QFileDevice &ReplacementFile::file() { return d->file; }

int ReplacementFile::commit(QFileDevice *)
{
    if (!d->file.isOpen())
        return BadFileNameOrNumber;
    if (const int failure = syncFile(d->file)) {
        discard();
        return failure;
    }
    if (d->unnamed) {
        // A name of its own first: a rename is what replaces the catalog
        // in one step.
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(d->file.handle());
        for (int attempt = 0; d->temporaryPath.isEmpty() && attempt < 100; ++attempt) {
            const QByteArray candidate = d->newName();
            if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, candidate.constData(),
                         AT_SYMLINK_FOLLOW) == 0)
                d->temporaryPath = candidate;
            else if (errno != EEXIST) {
                const int failure = errno;
                discard();
                return RuntimeError::fromErrno(failure).number();
            }
        }
        if (d->temporaryPath.isEmpty()) {
            discard();
            return PathFileAccessError;
        }
    }
    d->file.close();
    if (::rename(d->temporaryPath.constData(), d->path.constData()) != 0) {
        const int failure = errno;
        discard();
        return RuntimeError::fromErrno(failure).number();
    }
    d->temporaryPath.clear();
    syncFolder(folderOf(decodeFileName(d->path)));
    return NoError;
}

void ReplacementFile::discard()
{
    d->file.close();
    if (!d->temporaryPath.isEmpty())
        ::unlink(d->temporaryPath.constData());
    d->temporaryPath.clear();
    d->unnamed = false;
}

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

} // namespace kobrix::filesystem
