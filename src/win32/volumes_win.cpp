#include "win32/volumes_win.h"

#include "win32/errors_win.h"

#include <windows.h>

#include <iterator>

namespace kobrix::win32 {

std::wstring volumeLabel(const std::wstring &root, int *error)
{
    std::wstring path = root;
    if (path.empty() || (path.back() != L'\\' && path.back() != L'/'))
        path += L'\\';
    // MAX_PATH + 1 is the largest label buffer the call documents.
    wchar_t name[MAX_PATH + 1] = {};
    // No message box asking for a disc in an empty drive.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const BOOL ok = GetVolumeInformationW(path.c_str(), name, DWORD(std::size(name)), nullptr,
                                          nullptr, nullptr, nullptr, 0);
    const DWORD code = ok ? ERROR_SUCCESS : GetLastError();
    SetErrorMode(oldMode);
    // A folder that is no volume's root or mount point has no label of its
    // own: that is no failure.
    *error = ok || code == ERROR_DIR_NOT_ROOT ? NoError : errorNumber(code);
    if (!ok)
        return std::wstring();
    std::wstring label(name);
    while (!label.empty() && label.back() == L' ')
        label.pop_back();
    return label;
}

} // namespace kobrix::win32
