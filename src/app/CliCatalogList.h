#pragma once

// The catalogs that a kobrix-cli command is given: files, and folders that
// stand for every catalog below them.

#include "core/RuntimeError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace kobrix::cli {

// One catalog to read: the path to open, and the path as the output shows
// it (as given, or a folder as given followed by the path below it).
struct CatalogPath
{
    QString path;
    QByteArray shown;
};

// Each argument that is not a folder names a catalog (opening it reports
// what is wrong with it, such as a missing file). Each folder stands for
// every file below it, at any depth, whose name ends in ".cdc" in any
// letter case; as in a disc scan, names starting with a dot are left out
// and links to folders are not followed. The catalogs of one folder come in
// the byte order of their paths (the order of `LC_ALL=C sort`), the
// arguments in the order given. A folder that cannot be read is reported on
// stderr and the rest is still listed.
class CatalogList
{
public:
    explicit CatalogList(const QStringList &arguments);

    const std::vector<CatalogPath> &catalogs() const { return m_catalogs; }
    // Whether a folder could not be read.
    bool failed() const { return m_failed; }
    // Whether the output must say which catalog each result comes from, as
    // grep does: more than one argument, or a folder.
    bool named() const { return m_named; }

private:
    void addFolder(const QString &folder);

    std::vector<CatalogPath> m_catalogs;
    bool m_failed = false;
    bool m_named = false;
};

// "PATH: heading: number - description" on stderr, for a catalog or folder
// that could not be read while others are.
void reportUnreadable(const QByteArray &shown, const RuntimeError &error);

} // namespace kobrix::cli
