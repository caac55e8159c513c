#pragma once

// What the two readers of an image's own directory records share: the
// fields of an ISO 9660 directory record (ECMA-119 9.1), the POSIX file
// types of a Rock Ridge PX entry, and the limits past which an image is
// not read (RockRidgeTree.cpp reads any image within them; PlainImageTree
// takes the plain ones and leaves the rest to it).

#include <QtGlobal>

namespace kobrix::iso {

inline constexpr qint64 kSectorSize = 2048; // volume descriptors and directory records
inline constexpr int kMaxDescriptors = 64;  // volume descriptors read before giving up
inline constexpr quint32 kMaxFolderBytes = 64u << 20;
inline constexpr quint32 kMaxContinuationBytes = 1u << 16;
inline constexpr int kMaxContinuations = 64; // continuation areas of one entry
inline constexpr qsizetype kMaxEntries = 20'000'000;

// Directory record fields.
inline constexpr int kRecordExtent = 2;
inline constexpr int kRecordSize = 10;
inline constexpr int kRecordFlags = 25;
inline constexpr int kRecordNameLength = 32;
inline constexpr int kRecordName = 33;
inline constexpr quint8 kFlagDirectory = 0x02;
inline constexpr quint8 kFlagAssociated = 0x04;
inline constexpr quint8 kFlagMultiExtent = 0x80;
inline constexpr quint8 kFlagsReserved = 0x60;

// POSIX file types in a PX entry.
inline constexpr quint32 kTypeMask = 0170000;
inline constexpr quint32 kTypeFolder = 0040000;
inline constexpr quint32 kTypeFile = 0100000;
inline constexpr quint32 kTypeLink = 0120000;

inline quint32 le32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}

inline quint16 le16(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint16(u[0] | u[1] << 8);
}

// The POSIX file types: FIFO, character device, folder, block device,
// regular file, symbolic link, socket.
inline bool isKnownType(quint32 type)
{
    switch (type) {
    case 0010000: case 0020000: case 0040000: case 0060000:
    case 0100000: case 0120000: case 0140000: return true;
    default: return false;
    }
}

} // namespace kobrix::iso
