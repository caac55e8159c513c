#include "win32/text_win.h"

#include <windows.h>

namespace kobrix::win32 {

std::wstring toWide(std::string_view utf8)
{
    if (utf8.empty())
        return std::wstring();
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), size);
    return wide;
}

std::string toUtf8(std::wstring_view wide)
{
    if (wide.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), size, nullptr,
                            nullptr);
    return utf8;
}

std::string displayName(std::wstring_view name)
{
    std::wstring clean(name);
    for (wchar_t &c : clean) {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
            c = 0xFFFD;
    }
    return toUtf8(clean);
}

} // namespace kobrix::win32
