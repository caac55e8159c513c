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
    int fd = -1;
    for (;;) {
        fd = ::open(nativePath.constData(), flags);
        if (fd >= 0 || errno != ENOENT || access != Access::ReadWriteCreate)
            break;
        fd = ::open(nativePath.constData(), flags | O_CREAT | O_EXCL, 0666);
        if (fd >= 0) {
            created = true;
            break;
        }
        if (errno != EEXIST)
            break;
        // Another writer created it just now: open that one.
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
    return true;
}

LockAttempt tryLockExclusive(QFileDevice &file)
{
    for (;;) {
        if (::flock(file.handle(), LOCK_EX | LOCK_NB) == 0)
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
