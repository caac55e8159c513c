#pragma once

// The catalogs that a list of files and folders stands for: what
// kobrix-cli searches when given several, and what the Discs window opens
// beside the catalog it shows.

#include "core/RuntimeError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace kobrix {

// One catalog to read: the path to open, and the path as a user is shown
// it (as given, or a folder as given followed by the path below it).
struct CatalogPath
{
    QString path;
    QByteArray shown;
};

// A folder that could not be read, as shown, and why.
struct UnreadableFolder
{
    QByteArray shown;
    RuntimeError error;
};

// Each argument that is not a folder names a catalog (opening it reports
// what is wrong with it, such as a missing file). Each folder stands for
// every file below it, at any depth, whose name ends in ".cdc" in any
// letter case; as in a disc scan, names starting with a dot are left out
// and links to folders are not followed. The catalogs of one folder come in
// the byte order of their paths (the order of `LC_ALL=C sort`), the
// arguments in the order given. A folder that cannot be read is kept in
// unreadableFolders() and the rest is still listed.
class CatalogPaths
{
public:
    explicit CatalogPaths(const QStringList &arguments);

    const std::vector<CatalogPath> &catalogs() const { return m_catalogs; }
    const std::vector<UnreadableFolder> &unreadableFolders() const { return m_unreadable; }
    // Whether a folder was given.
    bool hasFolder() const { return m_hasFolder; }

private:
    void addFolder(const QString &folder);

    std::vector<CatalogPath> m_catalogs;
    std::vector<UnreadableFolder> m_unreadable;
    bool m_hasFolder = false;
};

} // namespace kobrix
