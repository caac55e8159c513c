#include "app/CliCatalogList.h"

#include "core/ProgramTexts.h"
#include "scan/FileSystemReader.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace kobrix::cli {

namespace {

bool isCatalogName(const QByteArray &name)
{
    return name.size() > 4 && name.right(4).toLower() == ".cdc";
}

} // namespace

CatalogList::CatalogList(const QStringList &arguments)
    : m_named(arguments.size() > 1)
{
    for (const QString &argument : arguments) {
        if (QFileInfo(argument).isDir()) {
            m_named = true;
            addFolder(argument);
        } else {
            m_catalogs.push_back({argument, QFile::encodeName(argument)});
        }
    }
}

void CatalogList::addFolder(const QString &folder)
{
    FileSystemReader reader;
    std::vector<QByteArray> found;
    std::vector<QByteArray> folders{QFile::encodeName(folder)};
    DirectoryListing listing;
    while (!folders.empty()) {
        const QByteArray current = std::move(folders.back());
        folders.pop_back();
        if (const RuntimeError error = reader.read(current, false, listing)) {
            reportUnreadable(current, error);
            m_failed = true;
            continue;
        }
        for (const DirectoryEntry &file : listing.files) {
            if (isCatalogName(file.nativeName))
                found.push_back(reader.childPath(current, file.nativeName));
        }
        for (const DirectoryEntry &subfolder : listing.subdirectories)
            folders.push_back(reader.childPath(current, subfolder.nativeName));
    }
    std::sort(found.begin(), found.end());
    for (QByteArray &path : found)
        m_catalogs.push_back({QFile::decodeName(path), std::move(path)});
}

void reportUnreadable(const QByteArray &shown, const RuntimeError &error)
{
    std::fprintf(stderr, "%s: %s: %s\n", shown.constData(),
                 qPrintable(ProgramTexts::readErrorHeading()),
                 qPrintable(error.numberAndDescription()));
}

} // namespace kobrix::cli
