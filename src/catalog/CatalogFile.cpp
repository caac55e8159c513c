#include "catalog/CatalogFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kobrix {

namespace {

constexpr qsizetype kWriteChunk = 1 << 20;
constexpr std::size_t kReadChunk = 1 << 20;

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

// Builds the records of a disc block chunk by chunk and hands each chunk to
// sink, which returns false when the write failed.
template <typename Sink>
bool writeRecords(QStringView discName, const LineStore &listing, Sink &&sink)
{
    const QByteArray prefix = catalogLine(discName, u"").toUtf8();
    QByteArray chunk;
    chunk.reserve(kWriteChunk + 4096);
    for (qsizetype i = 0; i < listing.count(); ++i) {
        const std::string_view line = listing.utf8At(i);
        chunk.append('"');
        chunk.append(prefix);
        chunk.append(line.data(), qsizetype(line.size()));
        chunk.append("\"\r\n", 3);
        if (chunk.size() >= kWriteChunk) {
            if (!sink(chunk))
                return false;
            chunk.clear();
        }
    }
    return chunk.isEmpty() || sink(chunk);
}

// Asks the kernel to back a large buffer with huge pages where it can: a
// catalog of tens of megabytes then costs a few dozen page faults instead of
// thousands. Only advice: contents and behaviour stay the same.
void adviseHugePages([[maybe_unused]] const char *data, [[maybe_unused]] std::size_t size)
{
#if defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kHugePage - 1);
    if (end > begin)
        (void)::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

bool writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
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

} // namespace

RuntimeError writeCatalog(const QString &path, QStringView discName, const LineStore &listing)
{
    CatalogSlot slot;
    if (RuntimeError busy = slot.acquire())
        return busy;
    if (RuntimeError bad = checkTargetName(path))
        return bad;

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return openFailure(path, errno);

    int writeErrno = 0;
    const bool written = writeRecords(discName, listing, [&](const QByteArray &chunk) {
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

RuntimeError appendCatalog(const QString &path, QStringView discName, const LineStore &listing)
{
    CatalogSlot slot;
    if (RuntimeError busy = slot.acquire())
        return busy;
    if (RuntimeError bad = checkTargetName(path))
        return bad;

    const QByteArray nativePath = QFile::encodeName(path);
    struct stat before {};
    const bool existed = ::stat(nativePath.constData(), &before) == 0;
    const int fd = ::open(nativePath.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return openFailure(path, errno);

    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return RuntimeError(PathFileAccessError);
    }
    const off_t originalSize = opened.st_size;

    int failure = 0;
    const bool written = writeRecords(discName, listing, [&](const QByteArray &chunk) {
        if (writeAll(fd, chunk))
            return true;
        failure = errno;
        return false;
    });
    if (written && ::fsync(fd) != 0 && errno != EINVAL)
        failure = errno ? errno : EIO;

    if (!written || failure) {
        // Leave the file as it was: cut back the part of the block that got
        // out, or remove the file this append created.
        if (existed)
            (void)::ftruncate(fd, originalSize);
        ::close(fd);
        if (!existed)
            ::unlink(nativePath.constData());
        return RuntimeError::fromErrno(failure ? failure : EIO);
    }
    if (::close(fd) != 0)
        return RuntimeError::fromErrno(errno);
    return RuntimeError();
}

struct CatalogReader::State
{
    LineStore *target = nullptr;
    bool linesReserved = false; // room for the line table reserved from an estimate
    std::unique_ptr<FieldParser> parser;
    std::vector<char> buffer;
};

CatalogReader::CatalogReader() : m_state(std::make_unique<State>()) {}

CatalogReader::~CatalogReader() { close(); }

bool CatalogReader::isOpen() const { return m_fd >= 0; }

void CatalogReader::close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_state->parser.reset();
    m_state->target = nullptr;
    m_slot.release();
}

RuntimeError CatalogReader::open(const QString &path)
{
    close();
    m_error = RuntimeError();
    m_bytesRead = 0;
    m_fileSize = 0;
    if (RuntimeError busy = m_slot.acquire())
        return m_error = busy;
    if (path.isEmpty() || path.contains(QChar(0))) {
        m_slot.release();
        return m_error = RuntimeError(BadFileNameOrNumber);
    }

    const QByteArray nativePath = QFile::encodeName(path);
    // Non-blocking, so that a FIFO without a writer cannot hang the open.
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        m_slot.release();
        if (err == ENOENT && !QFileInfo(path).absoluteDir().exists())
            return m_error = RuntimeError(PathNotFound);
        return m_error = RuntimeError::fromErrno(err);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        // A folder, FIFO or device is no catalog, and reading one could
        // block or never end.
        ::close(fd);
        m_slot.release();
        return m_error = RuntimeError(PathFileAccessError);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_fd = fd;
    m_fileSize = info.st_size;
    return RuntimeError();
}

bool CatalogReader::readSome(LineStore &out, std::chrono::nanoseconds budget)
{
    if (m_fd < 0)
        return true;
    State &s = *m_state;
    if (s.target != &out) {
        s.target = &out;
        s.parser = std::make_unique<FieldParser>(out);
        s.linesReserved = false;
        if (m_fileSize > 0 && m_fileSize < (qint64(1) << 34)) {
            out.reserve(out.byteSize() + std::size_t(m_fileSize), 0);
            adviseHugePages(out.bytes() + out.byteSize(), std::size_t(m_fileSize));
        }
    }
    if (s.buffer.empty())
        s.buffer.resize(kReadChunk);

    QElapsedTimer timer;
    timer.start();
    for (;;) {
        const ssize_t n = ::read(m_fd, s.buffer.data(), s.buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_error = RuntimeError::fromErrno(errno);
            close();
            return true;
        }
        if (n == 0) {
            s.parser->finish();
            close();
            return true;
        }
        m_bytesRead += n;
        const qsizetype linesBefore = out.count();
        s.parser->feed(std::string_view(s.buffer.data(), std::size_t(n)));
        if (!s.linesReserved) {
            // The first chunk tells how long the lines are: reserve the line
            // table for the whole file at once (a tenth more than expected)
            // instead of growing it step by step. Never more than one line
            // per 16 bytes, so an odd start cannot claim a huge table.
            s.linesReserved = true;
            const qint64 left = m_fileSize - m_bytesRead;
            const qsizetype lines = out.count() - linesBefore;
            if (left > 0 && lines > 0 && left < (qint64(1) << 34)) {
                const double expected = double(left) * double(lines) / double(n) * 1.1;
                const double most = double(left) / 16;
                out.reserve(out.byteSize(),
                            std::size_t(out.count()) + std::size_t(std::min(expected, most)));
            }
        }
        if (timer.nsecsElapsed() >= budget.count())
            return false;
    }
}

RuntimeError readCatalog(const QString &path, LineStore &out, bool clearFirst)
{
    CatalogReader reader;
    if (RuntimeError error = reader.open(path))
        return error;
    if (clearFirst)
        out.clear();
    while (!reader.readSome(out, std::chrono::hours(1))) {
    }
    return reader.error();
}

} // namespace kobrix
