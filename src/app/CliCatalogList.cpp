#include "app/CliCatalogList.h"

#include "core/ProgramTexts.h"

#include <cstdio>

namespace kobrix::cli {

CatalogList::CatalogList(const QStringList &arguments)
    : m_paths(arguments)
    , m_named(arguments.size() > 1 || m_paths.hasFolder())
{
    for (const UnreadableFolder &folder : m_paths.unreadableFolders())
        reportUnreadable(folder.shown, folder.error);
}

void reportUnreadable(const QByteArray &shown, const RuntimeError &error)
{
    std::fprintf(stderr, "%s: %s: %s\n", shown.constData(),
                 qPrintable(ProgramTexts::readErrorHeading()),
                 qPrintable(error.numberAndDescription()));
}

} // namespace kobrix::cli
