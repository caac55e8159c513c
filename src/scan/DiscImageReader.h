#pragma once

#include "scan/DirectoryReader.h"

#include <QHash>
#include <QString>

#include <memory>

namespace kobrix {

// Reads the directory tree of an ISO 9660 disc image (with Joliet and Rock
// Ridge names) without mounting it, so an image is walked exactly like the
// disc it was made from. The image's table of entries is read once by open();
// the walk then asks for folders by their path inside the image ("/" is the
// root, "/DATA/DISK1" a folder).
class DiscImageReader : public DirectoryReader
{
public:
    // Reads the image's entries. A missing file fails with 53, an image that
    // is damaged or no disc image at all with 57 and libarchive's reason.
    RuntimeError open(const QString &imagePath);

    RuntimeError read(const QByteArray &nativePath, bool isRoot, DirectoryListing &listing) override;
    QByteArray rootPath(const QString &root) const override;

    // True when path names a regular file ending in .iso (any case): such a
    // root is read as a disc image rather than as a folder.
    static bool isImagePath(const QString &path);

private:
    void addEntry(const QByteArray &path, bool isDirectory);
    QHash<QByteArray, DirectoryListing> m_folders; // by path inside the image
    bool m_open = false;
};

// The reader for a root the user picked: a disc image reader, already
// opened, for an .iso file; the file system reader for anything else.
RuntimeError makeReaderFor(const QString &root, std::unique_ptr<DirectoryReader> &reader);

} // namespace kobrix
