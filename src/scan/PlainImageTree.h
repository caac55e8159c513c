#pragma once

#include "scan/DirectoryReader.h"

#include <QByteArray>
#include <QHash>

#include <memory>

class QIODevice;

namespace kobrix {

// The folders of an ISO 9660 image whose tree holds only folders and
// regular files, read straight from its directory records, with its Rock
// Ridge names, else its Joliet ones. read() goes over every folder's records
// once, a quarter of a megabyte at a time and without touching a file's
// contents, and keeps the names each folder lists compactly; list() makes
// one folder's listing of them when the walk comes to it, so that the
// listings of the whole tree are never held at once. The listings come out
// as the image's full readers (readRockRidgeTree, readJolietTree through an
// ImageTree) give them, sorted.
class PlainImageTree
{
public:
    // Where the names a folder lists are kept: a folder named twice has
    // two parts.
    struct Part
    {
        qsizetype namesStart = 0;
        qsizetype namesEnd = 0;
    };

    PlainImageTree();
    ~PlainImageTree();
    PlainImageTree(PlainImageTree &&) noexcept;
    PlainImageTree &operator=(PlainImageTree &&) noexcept;

    // False for any image the full readers would do more with or fail on:
    // no Rock Ridge or Joliet tree, a symbolic link, a device, a relocated
    // folder, a record they take for damage. Those are left to them.
    bool read(QIODevice &image);
    // Whether the image holds the folder ("/" the root, "/A/B").
    bool contains(const QByteArray &path) const;
    // The folder's listing; false when the folder is none of the image's.
    bool list(const QByteArray &path, DirectoryListing &listing) const;
    // Every folder's listing by path.
    QHash<QByteArray, DirectoryListing> listAll() const;
    // The files of all folders and about the bytes of their listing lines.
    ListingSize listingSize() const;

    class Reader;

private:
    std::unique_ptr<Reader> m_reader;
};

// Every folder of the image as PlainImageTree lists it; false, with folders
// empty, when PlainImageTree leaves the image to the full readers.
bool readPlainImageTree(QIODevice &image, QHash<QByteArray, DirectoryListing> &folders);

} // namespace kobrix
