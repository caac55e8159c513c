#include "scan/ArchiveTree.h"

#include "scan/ImageTree.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QStringDecoder>

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <memory>

namespace kobrix {

namespace {

// libarchive, loaded when the first image needs it rather than with the
// program: the library and the six it brings along (XML, compressors,
// crypto) cost every start of kobrix-cli a few milliseconds, and most
// commands never read an image.
struct ArchiveLibrary
{
#define KOBRIX_ARCHIVE_FUNCTION(name) decltype(&::name) name = nullptr;
#define KOBRIX_ARCHIVE_FUNCTIONS(F)                                                                \
    F(archive_read_new) F(archive_read_free) F(archive_read_support_format_iso9660)               \
    F(archive_read_set_options) F(archive_read_open_filename) F(archive_read_next_header)         \
    F(archive_errno) F(archive_error_string) F(archive_entry_filetype) F(archive_entry_pathname)  \
    F(archive_entry_pathname_utf8) F(archive_entry_symlink) F(archive_entry_symlink_utf8)         \
    KOBRIX_ARCHIVE_WIDE(F)
#ifdef Q_OS_WIN
#define KOBRIX_ARCHIVE_WIDE(F) F(archive_read_open_filename_w)
#else
#define KOBRIX_ARCHIVE_WIDE(F)
#endif
    KOBRIX_ARCHIVE_FUNCTIONS(KOBRIX_ARCHIVE_FUNCTION)
    QString loadError; // empty once every function is there
};

const ArchiveLibrary &archiveLibrary()
{
    static const ArchiveLibrary loaded = [] {
        ArchiveLibrary lib;
        // The 3.x series has kept its soname; Windows builds name the DLL
        // either way.
#ifdef Q_OS_WIN
        QLibrary library(QStringLiteral("libarchive"));
        if (!library.load())
            library.setFileName(QStringLiteral("archive"));
#else
        QLibrary library(QStringLiteral("archive"), 13);
#endif
        if (!library.load()) {
            lib.loadError = library.errorString();
            return lib;
        }
        bool complete = true;
#define KOBRIX_ARCHIVE_RESOLVE(name)                                                               \
    lib.name = reinterpret_cast<decltype(lib.name)>(library.resolve(#name));                       \
    complete = complete && lib.name;
        KOBRIX_ARCHIVE_FUNCTIONS(KOBRIX_ARCHIVE_RESOLVE)
        if (!complete)
            lib.loadError = library.errorString();
        return lib; // stays loaded: a QLibrary unloads only when asked
    }();
    return loaded;
}

struct ArchiveCloser
{
    void operator()(archive *a) const { archiveLibrary().archive_read_free(a); }
};

// A name of the image in UTF-8, from libarchive's form of it as the image
// holds it (raw) and its conversion to UTF-8. libarchive keeps Rock Ridge
// names as the image's bytes and converts them from the C library's locale.
// On Windows that locale is never UTF-8, and names that are UTF-8 on the
// disc came out encoded twice ("MÃ¼sik"): there the image's own bytes are
// taken when they are UTF-8. A Joliet name, kept as UTF-16, gives no raw form
// or none that is UTF-8 there, and is taken converted.
QByteArray entryName(const char *raw, const char *utf8)
{
#ifdef Q_OS_WIN
    if (raw) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString decoded = decoder.decode(QByteArrayView(raw));
        if (!decoder.hasError())
            return QByteArray(raw);
    }
#endif
    return QByteArray(utf8 ? utf8 : raw);
}

// Opens the image by its name. On Windows by the wide-character name: the
// narrow one goes through the ANSI code page, which cannot hold every name.
int openImage(const ArchiveLibrary &lib, struct archive *image, const QString &imagePath)
{
    constexpr std::size_t kBlock = 1 << 16;
#ifdef Q_OS_WIN
    const QString native = QDir::toNativeSeparators(imagePath);
    return lib.archive_read_open_filename_w(image, reinterpret_cast<const wchar_t *>(native.utf16()), kBlock);
#else
    return lib.archive_read_open_filename(image, QFile::encodeName(imagePath).constData(), kBlock);
#endif
}

} // namespace

ArchiveOutcome readArchiveTree(const QString &imagePath, const char *options, ImageTree &tree,
                               RuntimeError &error)
{
    const ArchiveLibrary &lib = archiveLibrary();
    if (!lib.loadError.isEmpty()) {
        // The image's own readers may still manage without it.
        error = RuntimeError(
            DeviceIoError,
            QCoreApplication::translate("kobrix::RuntimeError", "Damaged or unknown disc image: %1")
                .arg(lib.loadError));
        return ArchiveOutcome::NotUnderstood;
    }
    std::unique_ptr<archive, ArchiveCloser> image(lib.archive_read_new());
    lib.archive_read_support_format_iso9660(image.get());
    if (options && lib.archive_read_set_options(image.get(), options) != ARCHIVE_OK) {
        error = RuntimeError(DeviceIoError, QString::fromUtf8(lib.archive_error_string(image.get())));
        return ArchiveOutcome::Unreadable;
    }
    // libarchive's own numbers for what it read and did not understand (-1
    // for "misc", EFTYPE or else EINVAL for "file format"); any other errno
    // means the image could not be read.
    const auto outcome = [&lib, &image] {
        const int err = lib.archive_errno(image.get());
        const bool format = err < 0 || err == EINVAL
#ifdef EFTYPE
                            || err == EFTYPE
#endif
            ;
        return format ? ArchiveOutcome::NotUnderstood : ArchiveOutcome::Unreadable;
    };
    const auto reason = [&lib, &image] { return QString::fromUtf8(lib.archive_error_string(image.get())); };
    if (openImage(lib, image.get(), imagePath) != ARCHIVE_OK) {
        const int err = lib.archive_errno(image.get());
        if (err == ENOENT || err == EACCES || err == EPERM
#ifdef ENOMEDIUM
            || err == ENOMEDIUM
#endif
        ) {
            error = RuntimeError::fromErrno(err);
            return ArchiveOutcome::Unreadable;
        }
        error = RuntimeError(
            DeviceIoError,
            QCoreApplication::translate("kobrix::RuntimeError", "Damaged or unknown disc image: %1")
                .arg(reason()));
        return outcome();
    }
    archive_entry *entry = nullptr;
    for (;;) {
        const int status = lib.archive_read_next_header(image.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status == ARCHIVE_FATAL || status == ARCHIVE_RETRY) {
            error =
                RuntimeError(DeviceIoError, QCoreApplication::translate("kobrix::RuntimeError",
                                                                        "Damaged disc image: %1")
                                                .arg(reason()));
            return outcome();
        }
        const char *raw = lib.archive_entry_pathname(entry);
        const char *utf8 = lib.archive_entry_pathname_utf8(entry);
        if (!raw && !utf8) {
            // libarchive gives no name at all when it cannot convert one
            // (a Joliet name to a character set that cannot hold it), or
            // when it passes over an entry it takes for damaged.
            error = RuntimeError(DeviceIoError, QCoreApplication::translate(
                                                    "kobrix::RuntimeError", "Damaged disc image: %1")
                                                    .arg(reason()));
            return ArchiveOutcome::NameNotConverted;
        }
        const QByteArray path = entryName(raw, utf8);
        switch (lib.archive_entry_filetype(entry)) {
        case AE_IFDIR: tree.add(path, ImageEntryKind::Folder); break;
        case AE_IFREG: tree.add(path, ImageEntryKind::File); break;
        case AE_IFLNK: {
            tree.add(path, ImageEntryKind::Link,
                     entryName(lib.archive_entry_symlink(entry), lib.archive_entry_symlink_utf8(entry)));
            break;
        }
        default: tree.add(path, ImageEntryKind::Other); break;
        }
    }
    return ArchiveOutcome::Read;
}

} // namespace kobrix
