#pragma once

// The catalogs that a kobrix-cli command is given: files, and folders that
// stand for every catalog below them (see scan/CatalogPaths.h).

#include "core/RuntimeError.h"
#include "scan/CatalogPaths.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

namespace kobrix::cli {

// The catalogs of the arguments; a folder that cannot be read is reported
// on stderr and the rest is still listed.
class CatalogList
{
public:
    explicit CatalogList(const QStringList &arguments);

    const std::vector<CatalogPath> &catalogs() const { return m_paths.catalogs(); }
    // Whether a folder could not be read.
    bool failed() const { return !m_paths.unreadableFolders().empty(); }
    // Whether the output must say which catalog each result comes from, as
    // grep does: more than one argument, or a folder.
    bool named() const { return m_named; }

private:
    CatalogPaths m_paths;
    bool m_named = false;
};

// "PATH: heading: number - description" on stderr, for a catalog or folder
// that could not be read while others are.
void reportUnreadable(const QByteArray &shown, const RuntimeError &error);

} // namespace kobrix::cli
