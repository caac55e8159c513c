#include "platform/ProcessSetup.h"

#include "catalog/CatalogFileSystem.h"
#include "win32/console_win.h"

#include <cstdio>

namespace kobrix {

void prepareProcess()
{
    // Names need nothing here: the image reader takes Windows' own
    // conversions and the images' UTF-8 names as they are (ArchiveTree.cpp).
    filesystem::ignoreFileSizeSignal();
    // What the programs write to their standard streams is bytes, as on
    // Linux: an export's CR LF stays CR LF (text mode made it CR CR LF) and
    // a lone LF stays LF. Text for a console is written as UTF-16 anyway
    // (kobrix-cli's writeText), where line ends need no CR.
    win32::setBinaryMode(stdout);
    win32::setBinaryMode(stderr);
}

} // namespace kobrix
