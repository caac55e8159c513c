#include "win32/drives_win.h"

#include <windows.h>

#include <iterator>

namespace kobrix::win32 {

std::wstring logicalDriveStrings()
{
    wchar_t buffer[256] = {};
    const DWORD count = GetLogicalDriveStringsW(DWORD(std::size(buffer)), buffer);
    // A count above the buffer's size is the size it would need, which 26
    // drive roots never reach.
    if (count == 0 || count > std::size(buffer))
        return std::wstring();
    return std::wstring(buffer, count);
}

std::vector<std::wstring> logicalDriveRoots()
{
    std::vector<std::wstring> roots;
    const std::wstring text = logicalDriveStrings();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\0', start);
        if (end == std::wstring::npos)
            end = text.size();
        if (end > start)
            roots.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return roots;
}

int driveType(const std::wstring &root)
{
    return int(GetDriveTypeW(root.c_str()));
}

std::vector<std::wstring> cdRomDriveRoots()
{
    std::vector<std::wstring> drives;
    for (const std::wstring &root : logicalDriveRoots()) {
        if (driveType(root) == kDriveTypeCdRom)
            drives.push_back(root);
    }
    return drives;
}

} // namespace kobrix::win32
