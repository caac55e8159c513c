#pragma once

#include "core/RuntimeError.h"

#include <QByteArray>

#include <vector>

namespace kobrix {

// One entry of a directory listing: the name as the file system stores it
// (used to go deeper) and the name as shown in listing lines (UTF-8, control
// characters replaced).
struct DirectoryEntry
{
    QByteArray nativeName;
    QByteArray displayName;
};

// What the walk needs to know of one directory: its subdirectories and its
// files, each sorted by name ignoring letter case (exact name as tie-break),
// hidden and system entries left out.
struct DirectoryListing
{
    std::vector<DirectoryEntry> subdirectories;
    std::vector<DirectoryEntry> files;
    // Bytes that the names of entries may point into instead of holding
    // their own (QByteArray::fromRawData, which leaves them without a
    // terminating NUL): kept with the entries so that the names live as
    // long as they do. A disc image's reader shares its table of names.
    QByteArray nameBytes;

    void clear()
    {
        subdirectories.clear();
        files.clear();
        nameBytes.clear();
    }
};

// What a walk will list, where its reader knows it before the walk: the
// files and about the bytes of their listing lines. Zero when unknown.
struct ListingSize
{
    qint64 files = 0;
    qint64 lineBytes = 0;
};

// Reads directories for the walk. The real one reads the file system; others
// may read a disc image or a test fixture.
class DirectoryReader
{
public:
    virtual ~DirectoryReader() = default;

    // Makes nativePath current and lists it. A root that is missing or holds
    // no readable medium fails with 68 (device unavailable); any other
    // problem fails with another number.
    virtual RuntimeError read(const QByteArray &nativePath, bool isRoot,
                              DirectoryListing &listing) = 0;

    // nativePath of a subdirectory of parent.
    virtual QByteArray childPath(const QByteArray &parent, const QByteArray &nativeName) const;
    // nativePath of the root the user gave (a folder made absolute, with no
    // trailing separator; empty when there is none).
    virtual QByteArray rootPath(const QString &root) const;
    // nativePath as messages show it.
    virtual QString displayPath(const QByteArray &nativePath) const;
    // The walk is over: whatever the reader holds open for it is let go
    // (so that a disc is not kept busy after its scan).
    virtual void walkEnded() {}
    // The size of the whole listing when known before the walk (a disc
    // image's records were all read), so that the listing takes its room
    // at once instead of growing step by step.
    virtual ListingSize expectedListing() const { return {}; }
};

// Sorts entries by name ignoring letter case, exact name as tie-break.
void sortEntries(std::vector<DirectoryEntry> &entries);

// The name as it appears in a listing line: UTF-8 (a name that is not UTF-8
// read as Windows-1252, as catalog lines are), every control character
// replaced by U+FFFD so that no name can split a catalog record.
QByteArray displayName(const QByteArray &nativeName);

} // namespace kobrix
