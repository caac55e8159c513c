// The walk's reader of the local file system on POSIX systems.

#include "scan/FileSystemReader.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kobrix {

namespace {

// A handle that only finds names inside a folder: it needs no right to read
// the folder, only to pass through it, as a path does.
#if defined(O_PATH)
constexpr int kPassFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#elif defined(O_SEARCH)
constexpr int kPassFlags = O_SEARCH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kPassFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif
constexpr int kListFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// Opens the folder at path with flags. A path the system takes whole
// (shorter than PATH_MAX) is opened at once; a longer one part by part,
// each part shorter than PATH_MAX and opened relative to the one before.
// Returns -1 with errno set on failure.
int openFolder(const QByteArray &path, int flags)
{
    if (path.size() < PATH_MAX)
        return ::open(path.constData(), flags);
    int at = AT_FDCWD;
    qsizetype from = 0;
    for (;;) {
        qsizetype end = path.size();
        const bool last = end - from < PATH_MAX;
        if (!last) {
            end = path.lastIndexOf('/', from + PATH_MAX - 1);
            if (end <= from) {
                if (at != AT_FDCWD)
                    ::close(at);
                errno = ENAMETOOLONG;
                return -1;
            }
        }
        // The first part keeps the path's leading slash.
        const QByteArray part = path.mid(from, end - from);
        const int next = ::openat(at, part.constData(), last ? flags : kPassFlags);
        const int err = errno;
        if (at != AT_FDCWD)
            ::close(at);
        if (next < 0) {
            errno = err;
            return -1;
        }
        if (last)
            return next;
        at = next;
        from = end + 1;
    }
}

} // namespace

FileSystemReader::~FileSystemReader() { walkEnded(); }

void FileSystemReader::walkEnded()
{
    if (m_parentHandle >= 0)
        ::close(m_parentHandle);
    m_parentHandle = -1;
    m_parentPath.clear();
}

QByteArray FileSystemReader::childPath(const QByteArray &parent, const QByteArray &nativeName) const
{
    return DirectoryReader::childPath(parent, nativeName);
}

QByteArray FileSystemReader::rootPath(const QString &root) const
{
    return DirectoryReader::rootPath(root);
}

QString FileSystemReader::displayPath(const QByteArray &nativePath) const
{
    return DirectoryReader::displayPath(nativePath);
}

RuntimeError FileSystemReader::read(const QByteArray &nativePath, bool isRoot,
                                    DirectoryListing &listing)
{
    listing.clear();
    // A folder below the root is opened relative to its parent, which stays
    // open while its subfolders are read one after the other.
    int fd = -1;
    const qsizetype slash = nativePath.lastIndexOf('/');
    if (isRoot || slash < 0 || slash + 1 == nativePath.size()) {
        fd = openFolder(nativePath, kListFlags);
    } else {
        const QByteArray parent = slash == 0 ? QByteArray("/") : nativePath.left(slash);
        if (m_parentHandle < 0 || parent != m_parentPath) {
            walkEnded();
            m_parentPath = parent;
            m_parentHandle = openFolder(parent, kPassFlags);
        }
        if (m_parentHandle >= 0)
            fd = ::openat(m_parentHandle, nativePath.constData() + slash + 1, kListFlags);
    }
    if (fd < 0) {
        const int err = errno;
        if (isRoot && (err == ENOENT || err == ENOTDIR || err == ENXIO || err == ENODEV
#ifdef ENOMEDIUM
                       || err == ENOMEDIUM
#endif
                       ))
            return RuntimeError(DeviceUnavailable);
        if (err == ENOENT)
            return RuntimeError(PathNotFound);
        return RuntimeError::fromErrno(err);
    }
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        const int err = errno;
        ::close(fd);
        return RuntimeError::fromErrno(err);
    }
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry)
            break;
        const char *name = entry->d_name;
        if (name[0] == '.') // ".", ".." and hidden entries
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN || type == DT_LNK) {
            struct stat st {};
            // Links are looked through only to tell a file; a link to a
            // directory is never walked, so link loops cannot hang the walk.
            const int flags = type == DT_LNK ? 0 : AT_SYMLINK_NOFOLLOW;
            if (::fstatat(fd, name, &st, flags) != 0)
                continue;
            if (S_ISREG(st.st_mode))
                type = DT_REG;
            else if (S_ISDIR(st.st_mode) && type != DT_LNK)
                type = DT_DIR;
            else
                continue;
        }
        if (type != DT_REG && type != DT_DIR)
            continue;
        QByteArray native(name);
        QByteArray shown = displayName(native);
        auto &target = type == DT_DIR ? listing.subdirectories : listing.files;
        target.push_back({std::move(native), std::move(shown)});
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0)
        return RuntimeError::fromErrno(readError);
    sortEntries(listing.subdirectories);
    sortEntries(listing.files);
    return RuntimeError();
}

bool isDeviceNode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0
        && (S_ISBLK(st.st_mode) || S_ISCHR(st.st_mode));
}

} // namespace kobrix
