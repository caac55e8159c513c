#pragma once

#include "core/RuntimeError.h"

class QIODevice;

#include <QByteArray>

namespace kobrix {

class ImageTree;

// Where the reading of an image's own tree failed.
struct TreeFailure
{
    QByteArray folder;      // the folder that could not be read ("/DATA"); empty when none
    bool noSuchTree = false; // the image holds no such tree at all
};

// Reads the directory tree of an ISO 9660 image with its Rock Ridge names,
// types and link targets straight from the directory records, and puts
// relocated folders back where they belong: an image that keeps its folders
// within the eight levels ISO 9660 allows moves deeper folders elsewhere (to
// the root or to a folder of their own) and leaves a child link (CL) in
// their place, the moved folder marked relocated (RE). Whatever folder they
// were moved to, they are listed where the child link stands, as a mounted
// disc shows them.
//
// Fails with 57 when the image holds no Rock Ridge entries or its tree is
// damaged (a record out of bounds, a folder that contains itself), and with
// the reason when the image cannot be read.
//
// A folder that cannot be read (a record out of bounds, a folder in more than
// one part) stops the reading; failure then names it, and the tree holds
// what was read before, the folder itself included.
RuntimeError readRockRidgeTree(QIODevice &image, ImageTree &tree, TreeFailure *failure = nullptr);

// Reads the image's Joliet tree (names in UTF-16) the same way, decoding the
// names itself, so that they do not depend on the C library's character
// set. A name that is no valid UTF-16 makes its folder one that cannot be
// read; an image without Joliet names fails with 57 and noSuchTree.
RuntimeError readJolietTree(QIODevice &image, ImageTree &tree, TreeFailure *failure = nullptr);

} // namespace kobrix
