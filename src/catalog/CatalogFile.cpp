#include "catalog/CatalogFile.h"

#include "catalog/CatalogFileSystem.h"
#include "catalog/CatalogJournal.h"
#include "catalog/DiscRecords.h"
#include "core/KeyMaker.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace kobrix {

namespace {

// A load reads 1 MB at a time: its first chunk tells how many lines and keys
// to make room for, and a smaller sample guesses worse. A reader that keeps
// only one slice (a search) reads 128 KB, which stays in the second-level
// cache while it is parsed and costs few page faults in a short search.
constexpr std::size_t kReadChunk = 1 << 20;
constexpr std::size_t kSliceReadChunk = 1 << 17;
// The share of non-ASCII lines from which a load makes their keys on a
// second thread.
constexpr double kShareForKeyThread = 0.05;

} // namespace

struct CatalogReader::State
{
    LineStore *target = nullptr;
    bool linesReserved = false; // room for the line table reserved from an estimate
    bool keysOnThread = false;  // search keys made by a KeyMaker (see readSlice)
    std::unique_ptr<FieldParser> parser;
    std::vector<char> buffer;
    QFile file; // the catalog file, when the reader opened one
};

CatalogReader::CatalogReader() : m_state(std::make_unique<State>()) {}

CatalogReader::~CatalogReader() { close(); }

bool CatalogReader::isOpen() const { return m_device != nullptr; }

void CatalogReader::close()
{
    m_device = nullptr;
    m_state->file.close();
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
    QFile &file = m_state->file;
    if (RuntimeError error = openCatalogFile(path, file, &m_fileSize)) {
        m_slot.release();
        return m_error = error;
    }
    m_device = &file;
    return RuntimeError();
}

RuntimeError openCatalogFile(const QString &path, QFile &file, qint64 *size)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return RuntimeError(BadFileNameOrNumber);
    // The open does not block on a FIFO or device; neither is a catalog, and
    // reading one could block or never end. The file keeps a shared lock
    // while it is open, so that no writer changes the catalog under the
    // reading; a catalog that a change left unfinished is put back first.
    CatalogLock lock(file);
    filesystem::FileFacts facts;
    for (int attempt = 0;; ++attempt) {
        if (RuntimeError error = lock.acquire(path, CatalogLock::OpenMode::ReadShared)) {
            if (error.number() == FileAlreadyOpen)
                return error;
            if (lock.openError() == FileNotFound && !filesystem::parentFolderExists(path))
                return RuntimeError(PathNotFound);
            return RuntimeError(lock.openError());
        }
        if (!lock.holdsFile()) // missing: acquire() only opens what is there
            return RuntimeError(filesystem::parentFolderExists(path) ? FileNotFound
                                                                       : PathNotFound);
        if (!filesystem::fileFacts(file, facts) || !facts.regular) {
            file.close();
            return RuntimeError(PathFileAccessError);
        }
        if (attempt > 0 || !hasLeftJournal(path, facts))
            break;
        file.close();
        if (RuntimeError error = putBackUnfinishedChange(path)) {
            // A user who may not write the catalog still reads it when what
            // was left is no change to undo (a journal cut short).
            if (error.number() != PermissionDenied || needsPuttingBack(path, facts))
                return error;
        }
    }
    if (size)
        *size = facts.size;
    return RuntimeError();
}

RuntimeError CatalogReader::open(QIODevice &device)
{
    close();
    m_error = RuntimeError();
    m_bytesRead = 0;
    m_fileSize = 0;
    if (RuntimeError busy = m_slot.acquire())
        return m_error = busy;
    m_device = &device;
    m_fileSize = device.isSequential() ? 0 : device.size();
    return RuntimeError();
}

bool CatalogReader::readSome(LineStore &out, std::chrono::nanoseconds budget)
{
    if (!m_device)
        return true;
    try {
        return readSlice(out, budget);
    } catch (const std::bad_alloc &) {
        // The lines read so far stay; the rest does not fit in memory.
        m_error = RuntimeError(OutOfMemory);
        close();
        return true;
    }
}

bool CatalogReader::readSlice(LineStore &out, std::chrono::nanoseconds budget)
{
    State &s = *m_state;
    if (s.target != &out) {
        s.target = &out;
        s.parser = std::make_unique<FieldParser>(out, m_maxRecordBytes);
        s.parser->setLineFilter(m_filter, m_filterContext, m_skip, m_skipRule);
        // A file opened here can be read again to number a record too long.
        s.parser->setCountSkippedLines(m_device != &s.file);
        s.linesReserved = m_room == Room::SliceBySlice;
        if (m_room == Room::WholeFile && m_fileSize > 0 && m_fileSize < (qint64(1) << 34)) {
            try {
                out.reserve(out.byteSize() + std::size_t(m_fileSize), 0);
            } catch (const std::bad_alloc &) {
                // Only an estimate: the lines may still fit as they come.
            }
        }
    }
    if (s.buffer.empty())
        s.buffer.resize(m_room == Room::WholeFile ? kReadChunk : kSliceReadChunk);
    // A load of a catalog with many lines outside ASCII makes their search
    // keys on a second thread while it reads; they are all made when this
    // slice returns.
    std::optional<KeyMaker> keys;
    if (s.keysOnThread && out.hasSearchKeys())
        keys.emplace(out);

    QElapsedTimer timer;
    timer.start();
    const std::size_t nonAsciiAtStart = out.nonAsciiLines().size();
    for (;;) {
        // Big blocks straight into the buffer: for a file opened unbuffered
        // each is one system call.
        errno = 0;
        const qint64 n = m_device->read(s.buffer.data(), qint64(s.buffer.size()));
        if (n < 0) {
            m_error = RuntimeError::fromErrno(errno ? errno : EIO);
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
        const std::size_t nonAsciiBefore = out.nonAsciiLines().size();
        s.parser->feed(std::string_view(s.buffer.data(), std::size_t(n)));
        if (s.parser->error()) {
            m_error = s.parser->error();
            if (const std::int64_t at = s.parser->tooLongRecordOffset(); at >= 0)
                m_error = recordTooLongError(lineNumberAt(*m_device, at), m_maxRecordBytes);
            close();
            return true;
        }
        if (keys)
            keys->publish();
        if (!s.linesReserved) {
            // The first chunk tells how long the lines are and how many hold
            // other than ASCII: reserve the tables (and the search keys) for
            // the whole file at once (a tenth more than expected) instead of
            // growing them step by step. Never more than one line per 16
            // bytes, so an odd start cannot claim a huge table.
            s.linesReserved = true;
            const qint64 left = m_fileSize - m_bytesRead;
            const qsizetype lines = out.count() - linesBefore;
            if (left > 0 && lines > 0 && left < (qint64(1) << 34)) {
                const double expected = double(left) * double(lines) / double(n) * 1.1;
                const double most = double(left) / 16;
                const double lineCount = std::min(expected, most);
                const double nonAsciiShare
                    = double(out.nonAsciiLines().size() - nonAsciiBefore) / double(lines);
                try {
                    out.reserve(out.byteSize(), std::size_t(out.count()) + std::size_t(lineCount));
                    if (nonAsciiShare > 0) {
                        // Beside the keys held: a store that holds other
                        // catalogs already, with room for this one, keeps
                        // its keys where they are.
                        const std::size_t keyBytes = out.keyByteSize()
                            + std::size_t(double(left) * std::min(1.0, nonAsciiShare * 1.1));
                        out.reserveNonAscii(out.nonAsciiLines().size()
                                                + std::size_t(lineCount * nonAsciiShare),
                                            keyBytes);
                    }
                } catch (const std::bad_alloc &) {
                }
                // Where few lines need a key, waking a thread for them
                // costs more than it saves.
                s.keysOnThread = m_room == Room::WholeFile && nonAsciiShare >= kShareForKeyThread;
            }
            // The lines of this first chunk have their keys already.
            if (s.keysOnThread && out.hasSearchKeys())
                keys.emplace(out);
        }
        // The keys the thread has not come to are made when the slice
        // returns: time for them is kept, taking a key to cost about what
        // reading its line did.
        const qint64 spent = timer.nsecsElapsed();
        qint64 keysLeft = 0;
        if (keys) {
            const std::size_t read = out.nonAsciiLines().size() - nonAsciiAtStart;
            if (read > 0)
                keysLeft = qint64(double(spent) * double(keys->pending()) / double(read));
        }
        if (spent + keysLeft >= budget.count())
            return false;
    }
}

RuntimeError readCatalog(const QString &path, LineStore &out, ExistingLines existing)
{
    CatalogReader reader;
    if (RuntimeError error = reader.open(path))
        return error;
    if (existing == ExistingLines::Clear)
        out.clear();
    while (!reader.readSome(out, std::chrono::hours(1))) {
    }
    return reader.error();
}

} // namespace kobrix
