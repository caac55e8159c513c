#pragma once

#include "scan/DirectoryReader.h"

#include <QHash>
#include <QString>

#include <memory>

namespace kobrix {

class PlainImageTree;

// Reads the directory tree of an ISO 9660 disc image (with Joliet and Rock
// Ridge names) without mounting it, so an image is walked exactly like the
// disc it was made from. The image may be a file or the device of a drive
// with a disc in it. The image's table of entries is read once by open();
// the walk then asks for folders by their path inside the image ("/" is the
// root, "/DATA/DISK1" a folder).
class DiscImageReader : public DirectoryReader
{
public:
    // Reads the image's entries. A missing file fails with 53, a drive
    // without a disc with 68, an image that is damaged or no disc image at
    // all with 57 and the reason. A folder of the image that cannot be read
    // is no failure here: reading it fails with 57, as a folder of a disc
    // that cannot be read fails the walk.
    RuntimeError open(const QString &imagePath);
    // Reads the disc in a drive from the drive's device (or an image file
    // standing in for it). The device is opened by the walk's first read
    // (of the root), so that a slow drive is read on the walk's thread, and
    // the failure to open it is the root's: 68 when the drive turns out
    // empty, 57 saying that the disc is no data disc that can be read.
    void openOnFirstRead(const QString &devicePath);

    RuntimeError read(const QByteArray &nativePath, bool isRoot, DirectoryListing &listing) override;
    QByteArray rootPath(const QString &root) const override;
    // The image's own path for its root, its folders' paths as the image
    // names them.
    QString displayPath(const QByteArray &nativePath) const override;
    ListingSize expectedListing() const override;

    // True when path names a regular file ending in .iso (any case): such a
    // root is read as a disc image rather than as a folder.
    static bool isImagePath(const QString &path);
    // True when path names a device (the block device of a drive).
    static bool isDevicePath(const QString &path);

private:
    RuntimeError openImage(const QString &imagePath);

    QHash<QByteArray, DirectoryListing> m_folders; // by path inside the image
    // An image of only folders and files: its folders are listed as the
    // walk comes to them.
    std::shared_ptr<PlainImageTree> m_plain;
    // A folder that cannot be read (its path inside the image), and why.
    QByteArray m_damagedFolder;
    RuntimeError m_damagedError;
    QString m_imagePath;
    bool m_open = false;
    bool m_openPending = false;
    bool m_readsDrive = false; // the disc in a drive rather than an image file
};

// The reader for a root the user picked: a disc image reader, already
// opened, for an .iso file or a drive's device; the file system reader for
// anything else.
RuntimeError makeReaderFor(const QString &root, std::unique_ptr<DirectoryReader> &reader);

} // namespace kobrix
