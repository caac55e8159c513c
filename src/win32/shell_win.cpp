#include "win32/shell_win.h"

#include "win32/errors_win.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdint>

namespace kobrix::win32 {

int shellOpen(const std::wstring &target)
{
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Values above 32 mean success; the others are the shell's error codes,
    // which agree with the system's for the common ones.
    const auto code = reinterpret_cast<std::intptr_t>(result);
    if (code > 32)
        return NoError;
    switch (code) {
    case 0:
        return OutOfMemory;
    case SE_ERR_FNF:
        return FileNotFound;
    case SE_ERR_PNF:
        return PathNotFound;
    case SE_ERR_ACCESSDENIED:
        return PermissionDenied;
    case SE_ERR_OOM:
        return OutOfMemory;
    case SE_ERR_SHARE:
        return FileAlreadyOpen;
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_DDEBUSY:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DLLNOTFOUND:
    default:
        return PathFileAccessError;
    }
}

} // namespace kobrix::win32
