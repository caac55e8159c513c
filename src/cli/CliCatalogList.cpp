#include "cli/CliCatalogList.h"

#include "cli/CliSupport.h"
#include "core/ProgramTexts.h"

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
    const QByteArray message = shown + ": " + ProgramTexts::readErrorHeading().toUtf8() + ": "
                               + error.numberAndDescription().toUtf8();
    printError(std::string_view(message.constData(), std::size_t(message.size())));
}

} // namespace kobrix::cli
