#include "platform/ProcessSetup.h"

#include "catalog/CatalogFileSystem.h"

namespace kobrix {

void prepareProcess()
{
    // Names need nothing here: the image reader takes Windows' own
    // conversions and the images' UTF-8 names as they are (ArchiveTree.cpp).
    filesystem::ignoreFileSizeSignal();
}

} // namespace kobrix
