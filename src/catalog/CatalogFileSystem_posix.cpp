// The catalog file code's system calls on POSIX systems (Linux, the BSDs,
// macOS).

#include "catalog/CatalogFileSystem.h"

#include "core/RuntimeError.h"

#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kobrix::filesystem {

int openFile(const QString &path, Access access, QFile &file, bool &created)
{
    created = false;
    const QByteArray nativePath = QFile::encodeName(path);
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
        && ::stat(QFile::encodeName(path).constData(), &named) == 0
        && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool isSameFileAs(const QString &a, const QString &b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0
        && ::stat(QFile::encodeName(b).constData(), &second) == 0
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
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

int createPrivateFile(const QString &path, QFile &file)
{
    const QByteArray nativePath = QFile::encodeName(path);
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
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
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

// QSaveFile writes a temporary file beside the catalog and renames it over
// the catalog; a rename replaces an open file, so the old handle stays open.
struct ReplacementFile::Private
{
    explicit Private(const QString &path) : file(path) {}
    QSaveFile file;
};

ReplacementFile::ReplacementFile(const QString &path) : d(std::make_unique<Private>(path)) {}

ReplacementFile::~ReplacementFile() = default; // QSaveFile discards what it did not commit

int ReplacementFile::open()
{
    errno = 0;
    if (d->file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return NoError;
    return RuntimeError::fromErrno(errno).number();
}

QFileDevice &ReplacementFile::file() { return d->file; }

int ReplacementFile::commit(QFileDevice *)
{
    errno = 0;
    if (d->file.commit())
        return NoError;
    return RuntimeError::fromErrno(errno ? errno : EIO).number();
}

void ReplacementFile::discard()
{
    if (!d->file.isOpen())
        return;
    d->file.cancelWriting();
    d->file.commit(); // discards the temporary file
}

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

} // namespace kobrix::filesystem
