#pragma once

#include "catalog/CatalogFormat.h"
#include "catalog/CatalogSlot.h"
#include "catalog/LineStore.h"
#include "catalog/RuntimeError.h"

#include <QString>

#include <chrono>
#include <memory>

namespace kobrix {

// Writes one record per listing line, "discName - line", as a new catalog
// file. The file is written beside the target and replaces it only when every
// byte is on disk: a failed write leaves the old catalog as it was.
RuntimeError writeCatalog(const QString &path, QStringView discName, const LineStore &listing);

// Adds one record per listing line behind the last byte of the catalog file,
// creating it when missing. A failure part-way cuts the file back to the
// length it had, so no half disc block stays behind.
RuntimeError appendCatalog(const QString &path, QStringView discName, const LineStore &listing);

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

    // Reads and parses until the end of the file or until the time budget is
    // spent, appending the fields to out. Returns true when reading is over
    // (finished or failed: see error()).
    bool readSome(LineStore &out, std::chrono::nanoseconds budget);

    bool isOpen() const;
    RuntimeError error() const { return m_error; }
    // Bytes read so far and the file's size when it was opened.
    qint64 bytesRead() const { return m_bytesRead; }
    qint64 fileSize() const { return m_fileSize; }

    void close();

private:
    struct State;
    std::unique_ptr<State> m_state;
    CatalogSlot m_slot;
    RuntimeError m_error;
    qint64 m_bytesRead = 0;
    qint64 m_fileSize = 0;
    int m_fd = -1;
};

// Reads a whole catalog file at once. The list is emptied only after the file
// was opened (when clearFirst is set); after a later error it holds the lines
// read before it.
RuntimeError readCatalog(const QString &path, LineStore &out, bool clearFirst);

} // namespace kobrix
