#pragma once

#include "core/RuntimeError.h"
#include "scan/DirectoryReader.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>

namespace kobrix {

class PlainImageTree;

// The folders of a disc image, by their path inside it ("/" the root), and
// the folder the walk fails on (empty when none) with its reason. An image
// of only folders and files is listed folder by folder from its records as
// the walk comes to each: plain then holds where they lie, folders nothing.
struct ImageFolders
{
    QHash<QByteArray, DirectoryListing> folders;
    std::shared_ptr<PlainImageTree> plain;
    QByteArray damagedPath;
    RuntimeError damagedError;
};

// How the folders are read.
enum class ImageRoute {
    // The image's directory records straight from the file or drive: its
    // Rock Ridge tree, else its Joliet tree, a few megabytes read in one
    // pass over the folders without touching a file's contents. An image
    // these do not read whole (plain ISO 9660, UDF, a damaged folder) goes
    // the archive route.
    Direct,
    // libarchive reads every entry in the order of the files' contents; the
    // image's own tree checks what it read.
    Archive,
};

// Reads the folders of the image (a file or a drive's device) at imagePath.
// Fails as the image fails as a whole; a folder that cannot be read is put
// in damagedPath instead.
RuntimeError readImageFolders(const QString &imagePath, ImageRoute route, ImageFolders &result);

} // namespace kobrix
