#include "win32/directory_win.h"

#include "win32/errors_win.h"
#include "win32/text_win.h"

#include <windows.h>

#include <algorithm>
#include <numeric>

namespace kobrix::win32 {

namespace {

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool isFolder(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(extendedLengthPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The error number of a folder that cannot be listed.
int listFailure(const std::wstring &folder, bool isRoot, DWORD code)
{
    const int number = errorNumber(code);
    if (number == DeviceUnavailable)
        return number;
    if (!isFolder(folder)) // missing, or a file
        return isRoot ? DeviceUnavailable : PathNotFound;
    return number;
}

// The name lowered for the case-insensitive order, in UTF-8 so that a byte
// comparison orders by code point.
std::string sortKey(const std::wstring &name)
{
    bool ascii = true;
    for (const wchar_t c : name)
        ascii = ascii && c < 0x80;
    if (ascii) {
        std::string key(name.size(), '\0');
        for (std::size_t i = 0; i < name.size(); ++i) {
            const wchar_t c = name[i];
            key[i] = char(c >= L'A' && c <= L'Z' ? c + 32 : c);
        }
        return key;
    }
    std::wstring lowered(name.size(), L'\0');
    const int size = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, name.c_str(),
                                   int(name.size()), lowered.data(), int(lowered.size()), nullptr,
                                   nullptr, 0);
    if (size <= 0)
        return toUtf8(name);
    lowered.resize(std::size_t(size));
    return toUtf8(lowered);
}

} // namespace

std::wstring extendedLengthPath(const std::wstring &path)
{
    // The plain form leaves room for a file name of 12 characters below a
    // folder, as the wide-character API asks of folder paths.
    constexpr std::size_t kPlainLimit = MAX_PATH - 12;
    if (path.size() < kPlainLimit || path.rfind(L"\\\\?\\", 0) == 0)
        return path;
    std::wstring extended;
    if (path.size() > 2 && isSeparator(path[0]) && isSeparator(path[1]))
        extended = L"\\\\?\\UNC\\" + path.substr(2);
    else if (path.size() > 2 && path[1] == L':' && isSeparator(path[2]))
        extended = L"\\\\?\\" + path;
    else
        return path; // a relative path has no extended form
    for (wchar_t &c : extended) {
        if (c == L'/')
            c = L'\\';
    }
    return extended;
}

std::wstring childPath(const std::wstring &parent, const std::wstring &name)
{
    std::wstring path = parent;
    if (path.empty() || !isSeparator(path.back()))
        path += L'\\';
    path += name;
    return path;
}

void sortEntries(std::vector<DirectoryEntry> &entries)
{
    const std::size_t count = entries.size();
    if (count < 2)
        return;
    std::vector<std::string> keys;
    keys.reserve(count);
    for (const DirectoryEntry &e : entries)
        keys.push_back(sortKey(e.nativeName));
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int c = keys[a].compare(keys[b]);
        if (c != 0)
            return c < 0;
        return entries[a].displayName < entries[b].displayName;
    });
    std::vector<DirectoryEntry> sorted;
    sorted.reserve(count);
    for (const std::size_t i : order)
        sorted.push_back(std::move(entries[i]));
    entries.swap(sorted);
}

int readDirectory(const std::wstring &folder, bool isRoot, DirectoryListing &listing)
{
    listing.clear();
    if (folder.empty())
        return isRoot ? DeviceUnavailable : PathNotFound;
    const std::wstring pattern = extendedLengthPath(childPath(folder, L"*"));
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        // A root holds no "." or "..", so an empty disc lists nothing at all.
        if ((code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) && isFolder(folder))
            return NoError;
        return listFailure(folder, isRoot, code);
    }
    constexpr DWORD kLeftOut = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    do {
        const std::wstring name = data.cFileName;
        const DWORD attributes = data.dwFileAttributes;
        // ".", ".." and names starting with a dot, which are hidden on
        // Linux: the same disc gives the same listing on both.
        if (name.empty() || name[0] == L'.' || (attributes & kLeftOut))
            continue;
        const bool folderEntry = attributes & FILE_ATTRIBUTE_DIRECTORY;
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            if (folderEntry)
                continue;
            // A link to a file is looked through only to see that its
            // target is there.
            const DWORD target =
                GetFileAttributesW(extendedLengthPath(childPath(folder, name)).c_str());
            if (target == INVALID_FILE_ATTRIBUTES || (target & FILE_ATTRIBUTE_DIRECTORY))
                continue;
        }
        auto &into = folderEntry ? listing.subdirectories : listing.files;
        into.push_back({name, displayName(name)});
    } while (FindNextFileW(find, &data));
    const DWORD code = GetLastError();
    FindClose(find);
    if (code != ERROR_NO_MORE_FILES) {
        listing.clear();
        return errorNumber(code);
    }
    sortEntries(listing.subdirectories);
    sortEntries(listing.files);
    return NoError;
}

} // namespace kobrix::win32
