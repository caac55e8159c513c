#include "scan/DiscImageReader.h"

#include <QFile>
#include <QFileInfo>

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace kobrix {

namespace {

struct ArchiveCloser
{
    void operator()(archive *a) const { archive_read_free(a); }
};

// Path inside the image as "/A/B": no "./" prefix, no trailing slash.
QByteArray normalizedEntryPath(QByteArray path)
{
    while (path.startsWith("./"))
        path.remove(0, 2);
    while (path.startsWith('/'))
        path.remove(0, 1);
    while (path.endsWith('/'))
        path.chop(1);
    return '/' + path;
}

QByteArray parentOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

} // namespace

bool DiscImageReader::isImagePath(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.suffix().compare(QLatin1String("iso"), Qt::CaseInsensitive) == 0;
}

void DiscImageReader::addEntry(const QByteArray &path, bool isDirectory)
{
    if (path == "/")
        return;
    if (isDirectory && m_folders.contains(path))
        return;
    const QByteArray parent = parentOf(path);
    // Folders an image lists only through the files inside them.
    if (!m_folders.contains(parent))
        addEntry(parent, true);
    const QByteArray name = path.mid(parent == "/" ? 1 : parent.size() + 1);
    DirectoryListing &listing = m_folders[parent];
    auto &target = isDirectory ? listing.subdirectories : listing.files;
    target.push_back({name, displayName(name)});
    if (isDirectory)
        m_folders.insert(path, DirectoryListing());
}

RuntimeError DiscImageReader::open(const QString &imagePath)
{
    m_folders.clear();
    m_open = false;
    const QFileInfo info(imagePath);
    if (!info.exists())
        return RuntimeError(FileNotFound);
    if (!info.isFile())
        return RuntimeError(PathFileAccessError);

    std::unique_ptr<archive, ArchiveCloser> image(archive_read_new());
    archive_read_support_format_iso9660(image.get());
    if (archive_read_open_filename(image.get(), QFile::encodeName(imagePath).constData(), 1 << 16)
        != ARCHIVE_OK) {
        const int err = archive_errno(image.get());
        if (err == ENOENT || err == EACCES || err == EPERM)
            return RuntimeError::fromErrno(err);
        return RuntimeError(DeviceIoError, QStringLiteral("Damaged or unknown disc image: %1")
                                               .arg(QString::fromUtf8(archive_error_string(image.get()))));
    }
    m_folders.insert("/", DirectoryListing());
    archive_entry *entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(image.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status == ARCHIVE_FATAL || status == ARCHIVE_RETRY) {
            m_folders.clear();
            return RuntimeError(DeviceIoError,
                                QStringLiteral("Damaged disc image: %1")
                                    .arg(QString::fromUtf8(archive_error_string(image.get()))));
        }
        const char *utf8 = archive_entry_pathname_utf8(entry);
        const QByteArray path = normalizedEntryPath(utf8 ? QByteArray(utf8)
                                                         : QByteArray(archive_entry_pathname(entry)));
        const mode_t type = archive_entry_filetype(entry);
        // Only files and folders count; links and devices are left out, as
        // on a mounted disc links to folders are never followed.
        if (type == AE_IFDIR)
            addEntry(path, true);
        else if (type == AE_IFREG)
            addEntry(path, false);
    }
    // Hidden entries (a dot in front) and what lies below hidden folders are
    // dropped when a folder is read.
    for (DirectoryListing &listing : m_folders) {
        sortEntries(listing.subdirectories);
        sortEntries(listing.files);
    }
    m_open = true;
    return RuntimeError();
}

QByteArray DiscImageReader::rootPath(const QString &) const { return QByteArray("/"); }

RuntimeError DiscImageReader::read(const QByteArray &nativePath, bool isRoot,
                                   DirectoryListing &listing)
{
    listing.clear();
    const auto it = m_folders.constFind(nativePath);
    if (!m_open || it == m_folders.constEnd())
        return RuntimeError(isRoot ? DeviceUnavailable : PathNotFound);
    for (const DirectoryEntry &dir : it->subdirectories) {
        if (!dir.nativeName.startsWith('.'))
            listing.subdirectories.push_back(dir);
    }
    for (const DirectoryEntry &file : it->files) {
        if (!file.nativeName.startsWith('.'))
            listing.files.push_back(file);
    }
    return RuntimeError();
}

RuntimeError makeReaderFor(const QString &root, std::unique_ptr<DirectoryReader> &reader)
{
    if (!DiscImageReader::isImagePath(root)) {
        reader = std::make_unique<FileSystemReader>();
        return RuntimeError();
    }
    auto image = std::make_unique<DiscImageReader>();
    const RuntimeError error = image->open(root);
    reader = std::move(image);
    return error;
}

} // namespace kobrix
