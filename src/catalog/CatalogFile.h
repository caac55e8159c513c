#pragma once

#include "catalog/CatalogFormat.h"
#include "catalog/CatalogLock.h"
#include "catalog/CatalogSave.h"
#include "catalog/CatalogSlot.h"
#include "core/LineStore.h"
#include "core/RuntimeError.h"

#include <QFile>
#include <QString>

#include <chrono>
#include <memory>

namespace kobrix {

// Writes one record per listing line, "discName - line", as a new catalog
// file (SavePolicy::Replace); control characters in the disc name become
// U+FFFD. A failed write leaves the old catalog as it was.
RuntimeError writeCatalog(const QString &path, QStringView discName, const LineStore &listing,
                          std::chrono::milliseconds lockWait = kCatalogLockWait);

// Adds one record per listing line behind the last byte of the catalog file
// (SavePolicy::Append), creating it when missing.
RuntimeError appendCatalog(const QString &path, QStringView discName, const LineStore &listing,
                           std::chrono::milliseconds lockWait = kCatalogLockWait);

// Reads a catalog file into a line store in slices, so that a window can keep
// processing events between them. Holds the catalog file slot from open()
// until it finishes, fails or is destroyed.
class CatalogReader
{
public:
    CatalogReader();
    ~CatalogReader();
    CatalogReader(const CatalogReader &) = delete;
    CatalogReader &operator=(const CatalogReader &) = delete;

    // Opens the file. Fails without touching anything else: 53 for a missing
    // file, 76 for a missing folder, 75 for a folder or a device, 55 when the
    // catalog slot is taken.
    RuntimeError open(const QString &path);
    // Reads a device the caller opened and keeps open while reading (a
    // catalog held in memory, or a device that fails on purpose in tests).
    // Fails with 55 when the catalog slot is taken.
    RuntimeError open(QIODevice &device);

    // Reads and parses until the end of the file or until the time budget is
    // spent, appending the fields to out. Returns true when reading is over
    // (finished or failed: see error()).
    // Fails with 59 at a record longer than the limit (kMaxRecordBytes
    // unless set) and with 7 when memory runs out; out keeps the lines read
    // before.
    bool readSome(LineStore &out, std::chrono::nanoseconds budget);
    void setMaxRecordBytes(std::size_t bytes) { m_maxRecordBytes = bytes; }

    // How the line store is prepared: for the whole file at once (a load
    // that keeps every line), or not at all (a reader that empties the
    // store after each slice, as kobrix-cli does).
    enum class Room { WholeFile, SliceBySlice };
    void setRoom(Room room) { m_room = room; }
    // Passes lines over unread (see FieldParser::setLineFilter). Set before
    // the first readSome().
    void setLineFilter(FieldParser::LineFilter filter, const void *context,
                       FieldParser::SkipTo skip = nullptr,
                       FieldParser::SkipRule rule = FieldParser::SkipRule::Hint)
    {
        m_filter = filter;
        m_filterContext = context;
        m_skip = skip;
        m_skipRule = rule;
    }

    bool isOpen() const;
    RuntimeError error() const { return m_error; }
    // Bytes read so far and the file's size when it was opened.
    qint64 bytesRead() const { return m_bytesRead; }
    qint64 fileSize() const { return m_fileSize; }

    void close();

private:
    bool readSlice(LineStore &out, std::chrono::nanoseconds budget);

    struct State;
    std::unique_ptr<State> m_state;
    CatalogSlot m_slot;
    RuntimeError m_error;
    qint64 m_bytesRead = 0;
    qint64 m_fileSize = 0;
    QIODevice *m_device = nullptr; // the file read, or a device of the caller
    std::size_t m_maxRecordBytes = kMaxRecordBytes;
    Room m_room = Room::WholeFile;
    FieldParser::LineFilter m_filter = nullptr;
    const void *m_filterContext = nullptr;
    FieldParser::SkipTo m_skip = nullptr;
    FieldParser::SkipRule m_skipRule = FieldParser::SkipRule::Hint;
};

// Opens a catalog file for reading (unbuffered) as the reader does, without
// taking the catalog slot: 52 an empty name, 53 a missing file, 76 a missing
// folder, 75 a folder or a device. size, when given, gets the file's size.
RuntimeError openCatalogFile(const QString &path, QFile &file, qint64 *size = nullptr);

// What a load does with the lines already in its line store: empties it
// (only once the file was opened), or adds the catalog's lines behind them.
enum class ExistingLines { Clear, Keep };

// Reads a whole catalog file at once. After an error past the open, out
// holds the lines read before it.
RuntimeError readCatalog(const QString &path, LineStore &out, ExistingLines existing);

} // namespace kobrix
