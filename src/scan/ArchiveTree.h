#pragma once

#include "core/RuntimeError.h"

#include <QString>

namespace kobrix {

class ImageTree;

// How far libarchive got with an image.
enum class ArchiveOutcome {
    Read,          // every entry is in the tree
    NotUnderstood, // read, but libarchive takes it for no image or a damaged one
    Unreadable,    // the file or device could not be read
    // an entry came without a name: one libarchive could not convert to the
    // C library's character set, or one it passed over
    NameNotConverted,
};

// Reads the entries of the ISO 9660 image at nativePath into tree with
// libarchive, with the reader options given (nullptr for its defaults: Rock
// Ridge names where there are any, else Joliet, else ISO 9660 names;
// "iso9660:!rockridge" leaves Rock Ridge aside). error tells why when the
// outcome is not Read.
ArchiveOutcome readArchiveTree(const QString &imagePath, const char *options, ImageTree &tree,
                               RuntimeError &error);

} // namespace kobrix
