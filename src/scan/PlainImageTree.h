#pragma once

#include "scan/DirectoryReader.h"

#include <QByteArray>
#include <QHash>

class QIODevice;

namespace kobrix {

// Reads the folders of an ISO 9660 image whose tree holds only folders and
// regular files straight from its directory records, with its Rock Ridge
// names, else its Joliet ones: the records of each folder are read once, in
// large pieces, and no file's contents are touched. The listings come out as
// the image's full readers (readRockRidgeTree, readJolietTree through an
// ImageTree) give them, sorted.
//
// False, with folders empty, for anything these readers would do more with
// or fail on: no Rock Ridge or Joliet tree, a symbolic link, a device, a
// relocated folder, a record they take for damage. Those images are left to
// the full readers.
bool readPlainImageTree(QIODevice &image, QHash<QByteArray, DirectoryListing> &folders);

} // namespace kobrix
