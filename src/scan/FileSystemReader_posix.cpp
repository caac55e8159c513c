// The walk's reader of the local file system on POSIX systems.

#include "scan/FileSystemReader.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kobrix {

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
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
