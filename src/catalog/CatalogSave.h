#pragma once

#include "catalog/CatalogLock.h"
#include "core/RuntimeError.h"

#include <QString>

#include <chrono>
#include <functional>

class QIODevice;

namespace kobrix {

// How a catalog file is saved. Whatever the policy, a failed save leaves the
// catalog as it was, and the save holds the catalog slot and the catalog's
// lock (CatalogLock): a save of another Kobrix process to the same catalog is
// waited for a moment, then the save fails with 55 and changes nothing.
enum class SavePolicy {
    // A new catalog, written to a temporary file beside the old one
    // (filesystem::ReplacementFile) that replaces it once every byte is on
    // disk, carrying its owner, group and mode. On Windows, which replaces
    // no file that is open, a catalog another program holds open makes the
    // save fail with 55. Where a replacement would cut the catalog off
    // from its other names (hard links, or a symbolic link to it), or could
    // not keep its owner, or the folder may not be written in, the old file
    // is rewritten in place instead (RewriteInPlace).
    Replace,
    // A new catalog written into the old file itself, so that the file keeps
    // its identity (links, owner, group, mode, place). Its bytes are copied
    // aside first and put back if the write fails.
    RewriteInPlace,
    // The content goes behind the last byte of the file, which is created
    // when missing; a last record without its line end gets one first. A
    // failure part-way cuts the file back to the length it had (or removes
    // the file the append created), so no half disc block stays behind.
    Append,
};

// Writes the content of a save to out; returns the error of a failed write.
using CatalogContent = std::function<RuntimeError(QIODevice &out)>;

// Saves path by the policy, with content written by the given function.
//   52 empty name; 75 a folder, FIFO or device; 76 a missing folder;
//   55 the slot or the lock is taken; others by the system's error
RuntimeError saveCatalog(const QString &path, SavePolicy policy, const CatalogContent &content,
                         std::chrono::milliseconds lockWait = kCatalogLockWait);

// Writes a catalog made from an old one: reads the old catalog's bytes from
// old (positioned at its start) and writes the new catalog to out.
using CatalogEdit = std::function<RuntimeError(QIODevice &old, QIODevice &out)>;

// Saves a changed copy of the existing catalog at path, made by edit from
// its bytes, by SavePolicy::Replace (in place where a replacement would not
// keep the catalog's names or owner, as for a new catalog). The old bytes
// are read while the save holds the catalog's lock, so no other write
// comes between the reading and the writing; a failure leaves the catalog
// as it was. Fails as saveCatalog() does, and with 53 when the catalog does
// not exist.
RuntimeError editCatalog(const QString &path, const CatalogEdit &edit,
                         std::chrono::milliseconds lockWait = kCatalogLockWait);

} // namespace kobrix
