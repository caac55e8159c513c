#include "platform/ProcessSetup.h"

#include "catalog/CatalogFileSystem.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace kobrix {

namespace {

bool isUtf8Codeset()
{
    const char *codeset = nl_langinfo(CODESET);
    return codeset && (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0);
}

} // namespace

void prepareProcess()
{
    filesystem::ignoreFileSizeSignal();
    // Only the character set is taken from the environment: numbers and
    // messages of the C library stay as they are. An environment whose
    // character set is not UTF-8 (LC_ALL=C, a Latin-1 locale) would make
    // libarchive drop Joliet names it cannot express and read Rock Ridge
    // names in the wrong set; C.UTF-8 keeps its plain rules otherwise.
    if (std::setlocale(LC_CTYPE, "") && isUtf8Codeset())
        return;
    for (const char *name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
        if (std::setlocale(LC_CTYPE, name) && isUtf8Codeset())
            return;
    }
}

} // namespace kobrix
