#include "scan/DirectoryReader.h"

#include "catalog/LineStore.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QUtf8StringView>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kobrix {

QByteArray DirectoryReader::childPath(const QByteArray &parent, const QByteArray &nativeName) const
{
    QByteArray path = parent;
    if (!path.endsWith('/'))
        path.append('/');
    path.append(nativeName);
    return path;
}

QByteArray DirectoryReader::rootPath(const QString &root) const
{
    if (root.isEmpty())
        return QByteArray();
    QString path = QFileInfo(root).absoluteFilePath();
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return QFile::encodeName(path);
}

QByteArray displayName(const QByteArray &nativeName)
{
    QByteArray utf8;
    const std::string_view raw(nativeName.constData(), std::size_t(nativeName.size()));
    if (isAscii(raw) || QUtf8StringView(nativeName).isValidUtf8())
        utf8 = nativeName;
    else
        utf8 = QFile::decodeName(nativeName).toUtf8();

    // C0 controls, DEL and the C1 controls (U+0080..U+009F, "\xC2\x80".."\xC2\x9F").
    static const QByteArray replacement("\xEF\xBF\xBD");
    QByteArray clean;
    bool changed = false;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const bool c1 = c == 0xC2 && i + 1 < utf8.size()
            && static_cast<unsigned char>(utf8[i + 1]) >= 0x80
            && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
        if (c < 0x20 || c == 0x7F || c1) {
            if (!changed) {
                clean = utf8.left(i);
                changed = true;
            }
            clean.append(replacement);
            if (c1)
                ++i;
        } else if (changed) {
            clean.append(char(c));
        }
    }
    return changed ? clean : utf8;
}

namespace {

int compareAsciiFolded(const QByteArray &a, const QByteArray &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x += 32;
        if (y >= 'A' && y <= 'Z')
            y += 32;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

void sortEntries(std::vector<DirectoryEntry> &entries)
{
    struct Keyed
    {
        DirectoryEntry entry;
        bool ascii;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    for (auto &e : entries) {
        const bool ascii = isAscii(std::string_view(e.displayName.constData(),
                                                    std::size_t(e.displayName.size())));
        keyed.push_back({std::move(e), ascii});
    }
    // Case-insensitive order by Unicode case folding; for two ASCII names
    // that is plain ASCII folding, which needs no decoding.
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        int c;
        if (a.ascii && b.ascii)
            c = compareAsciiFolded(a.entry.displayName, b.entry.displayName);
        else
            c = QString::fromUtf8(a.entry.displayName)
                    .compare(QString::fromUtf8(b.entry.displayName), Qt::CaseInsensitive);
        if (c != 0)
            return c < 0;
        return a.entry.displayName < b.entry.displayName;
    });
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = std::move(keyed[i].entry);
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

} // namespace kobrix
