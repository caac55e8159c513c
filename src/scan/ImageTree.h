#pragma once

#include "scan/DirectoryReader.h"

#include <QByteArray>
#include <QHash>

#include <vector>

namespace kobrix {

// What one entry of a disc image is.
enum class ImageEntryKind { Folder, File, Link, Other };

// The folders of a disc image as the walk sees them, built from the image's
// entries in the order a reader finds them. Symbolic links are resolved
// inside the image once all entries are in, the way a mounted disc resolves
// them: a link that ends at a regular file is listed as a file under its own
// name; one that ends at a folder, at anything else or nowhere (a dangling
// link, a loop) is left out, as the walk of a folder leaves it out.
class ImageTree
{
public:
    // Adds the entry at path ("A/B", "./A/B" or "/A/B/" alike: a path inside
    // the image). Folders an image names only through their contents are
    // added as well. linkTarget is the target of a link, as stored.
    void add(const QByteArray &path, ImageEntryKind kind, const QByteArray &linkTarget = {});

    // Resolves the links, sorts every folder and hands over the listings by
    // folder path ("/" the root, "/A/B" a folder). The tree is empty after.
    QHash<QByteArray, DirectoryListing> takeFolders();

    // What a link at linkPath ends at: Folder, File or Other, or Link when it
    // ends nowhere (a missing name, a file used as a folder, too many links
    // in a row).
    ImageEntryKind resolveLink(const QByteArray &linkPath) const;

    // "/A/B" for any form add() takes.
    static QByteArray normalizedPath(QByteArray path);

private:
    struct Node
    {
        ImageEntryKind kind = ImageEntryKind::Folder;
        QByteArray linkTarget;
    };

    void ensureFolder(const QByteArray &path);
    void addToParent(const QByteArray &path, bool isFolder);

    QHash<QByteArray, Node> m_nodes;
    QHash<QByteArray, DirectoryListing> m_folders;
    std::vector<QByteArray> m_links;
};

} // namespace kobrix
