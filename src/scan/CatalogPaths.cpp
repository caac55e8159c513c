#include "scan/CatalogPaths.h"

#include "catalog/CatalogFileSystem.h"
#include "core/FileNames.h"
#include "scan/FileSystemReader.h"

#include <algorithm>

namespace kobrix {

namespace {

bool isCatalogName(const QByteArray &name)
{
    return name.size() > 4 && name.right(4).toLower() == ".cdc";
}

} // namespace

CatalogPaths::CatalogPaths(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (filesystem::pathKind(argument) == filesystem::PathKind::Folder) {
            m_hasFolder = true;
            addFolder(argument);
        } else {
            m_catalogs.push_back({argument, displayFileName(argument).toUtf8()});
        }
    }
}

void CatalogPaths::addFolder(const QString &folder)
{
    // A path as the reader opens it and as it is shown: below the folder as
    // given, by the names as listings show them.
    struct Path
    {
        QByteArray native;
        QByteArray shown;
    };
    FileSystemReader reader;
    std::vector<Path> found;
    std::vector<Path> folders{{reader.rootPath(folder), displayFileName(folder).toUtf8()}};
    DirectoryListing listing;
    while (!folders.empty()) {
        const Path current = std::move(folders.back());
        folders.pop_back();
        if (const RuntimeError error = reader.read(current.native, false, listing)) {
            m_unreadable.push_back({current.shown, error});
            continue;
        }
        const auto below = [&](const DirectoryEntry &entry) {
            return Path{reader.childPath(current.native, entry.nativeName),
                        reader.childPath(current.shown, entry.displayName)};
        };
        for (const DirectoryEntry &file : listing.files) {
            if (isCatalogName(file.nativeName))
                found.push_back(below(file));
        }
        for (const DirectoryEntry &subfolder : listing.subdirectories)
            folders.push_back(below(subfolder));
    }
    std::sort(found.begin(), found.end(),
              [](const Path &a, const Path &b) { return a.native < b.native; });
    for (Path &path : found)
        m_catalogs.push_back({reader.displayPath(path.native), std::move(path.shown)});
}

} // namespace kobrix
