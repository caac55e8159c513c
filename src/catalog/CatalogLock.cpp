#include "catalog/CatalogLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kobrix {

namespace {

// The path still names the file open on fd (it was not replaced or removed
// while the caller waited for the lock).
bool stillNamed(int fd, const QByteArray &nativePath)
{
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::stat(nativePath.constData(), &named) == 0
        && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

RuntimeError CatalogLock::acquire(const QString &path, OpenMode mode,
                                  std::chrono::milliseconds wait)
{
    release();
    m_osError = 0;
    const QByteArray nativePath = QFile::encodeName(path);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        int flags = O_CLOEXEC | O_NONBLOCK; // a FIFO must not block the open
        flags |= mode == OpenMode::ReadOnly ? O_RDONLY : O_RDWR;
        bool created = false;
        int fd = ::open(nativePath.constData(), flags);
        if (fd < 0 && errno == ENOENT && mode == OpenMode::ReadWriteCreate) {
            fd = ::open(nativePath.constData(), flags | O_CREAT | O_EXCL, 0666);
            created = fd >= 0;
            if (fd < 0 && errno == EEXIST)
                continue; // another writer created it just now
        }
        if (fd < 0) {
            m_osError = errno;
            if (m_osError == ENOENT && mode != OpenMode::ReadWriteCreate)
                return RuntimeError(); // nothing to lock yet
            return RuntimeError::fromErrno(m_osError);
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

        // Try, and try again until the deadline: the holder is usually a
        // write of a few hundred milliseconds.
        bool locked = false;
        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                locked = true;
                break;
            }
            if (errno != EWOULDBLOCK && errno != EINTR) {
                // A file system without locks: write unguarded rather than
                // refuse every catalog on it.
                locked = errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS;
                break;
            }
            if (std::chrono::steady_clock::now() >= deadline)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!locked) {
            ::close(fd);
            return RuntimeError(FileAlreadyOpen);
        }
        if (!stillNamed(fd, nativePath)) {
            // Replaced or removed by the writer we waited for: lock what the
            // name holds now.
            ::close(fd);
            if (std::chrono::steady_clock::now() >= deadline)
                return RuntimeError(FileAlreadyOpen);
            continue;
        }
        m_fd = fd;
        m_created = created;
        return RuntimeError();
    }
}

void CatalogLock::release()
{
    if (m_fd >= 0) {
        ::close(m_fd); // drops the lock
        m_fd = -1;
    }
    m_created = false;
}

} // namespace kobrix
