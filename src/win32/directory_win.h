#pragma once

// Directory enumeration for the disc walk on Windows.

#include <string>
#include <vector>

namespace kobrix::win32 {

// One entry of a directory listing: the name as the file system stores it
// (used to go deeper) and the name as shown in listing lines (UTF-8, control
// characters replaced).
struct DirectoryEntry
{
    std::wstring nativeName;
    std::string displayName;
};

// One directory as the walk needs it: its subdirectories and its files, each
// sorted by name ignoring letter case (exact name as tie-break), hidden and
// system entries left out.
struct DirectoryListing
{
    std::vector<DirectoryEntry> subdirectories;
    std::vector<DirectoryEntry> files;

    void clear()
    {
        subdirectories.clear();
        files.clear();
    }
};

// Lists folder (a drive root "D:\" or a folder below one, "D:\DATA") with
// FindFirstFileExW. Left out: names starting with a dot (".", ".." and the
// entries hidden on Linux), entries with the HIDDEN or SYSTEM attribute,
// devices, links to folders (reparse points are never followed, so link
// loops cannot hang the walk) and links whose target is gone; a link to a
// file counts as a file. Returns 0, or the error number: a root that is
// missing or holds no readable medium gives 68 (device unavailable), a
// missing folder or a file given as one below the root 76, any other
// failure the number of its Windows error.
int readDirectory(const std::wstring &folder, bool isRoot, DirectoryListing &listing);

// The path of the subdirectory name of parent ("D:\" + "DATA" is "D:\DATA",
// "D:\DATA" + "DISK1" is "D:\DATA\DISK1").
std::wstring childPath(const std::wstring &parent, const std::wstring &name);

// path in the extended-length form ("\\?\D:\...", "\\?\UNC\server\...") when it
// is too long for the plain form (MAX_PATH), so that deep folders of a DVD
// can be listed; any other path as it is. Forward slashes become
// backslashes in the extended form, which takes no other separator.
std::wstring extendedLengthPath(const std::wstring &path);

// Sorts entries by name ignoring letter case (names lowered, then compared by
// code point), exact name as tie-break: the order of the Linux reader.
void sortEntries(std::vector<DirectoryEntry> &entries);

} // namespace kobrix::win32
