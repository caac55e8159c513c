#include "win32/console_win.h"

#include "win32/text_win.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>

namespace kobrix::win32 {

namespace {

// The system's handle of stream, or INVALID_HANDLE_VALUE. A standard
// stream of a program that has none is checked through the system first:
// asking the C runtime about a descriptor it never opened is an invalid
// parameter, which ends the program.
HANDLE handleOf(std::FILE *stream)
{
    const int fd = _fileno(stream);
    if (fd < 0)
        return INVALID_HANDLE_VALUE;
    if (fd <= 2) {
        const DWORD which[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
        const HANDLE standard = GetStdHandle(which[fd]);
        if (standard == nullptr || standard == INVALID_HANDLE_VALUE)
            return INVALID_HANDLE_VALUE;
    }
    return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

// WriteConsoleW in pieces: a console takes only so much at once. A piece
// never ends between the two halves of a surrogate pair.
bool writeConsole(HANDLE console, std::wstring_view text)
{
    constexpr std::size_t kPiece = 8192;
    while (!text.empty()) {
        std::size_t size = std::min(text.size(), kPiece);
        if (size < text.size() && text[size - 1] >= 0xD800 && text[size - 1] <= 0xDBFF)
            --size;
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data(), DWORD(size), &written, nullptr) || written == 0)
            return false;
        text.remove_prefix(written);
    }
    return true;
}

} // namespace

bool setBinaryMode(std::FILE *stream)
{
    if (handleOf(stream) == INVALID_HANDLE_VALUE)
        return false;
    return _setmode(_fileno(stream), _O_BINARY) != -1;
}

bool isConsole(std::FILE *stream)
{
    const HANDLE handle = handleOf(stream);
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

bool writeUtf8(std::FILE *stream, std::string_view utf8)
{
    if (!isConsole(stream))
        return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
    if (std::fflush(stream) != 0)
        return false;
    return writeConsole(handleOf(stream), toWide(utf8));
}

} // namespace kobrix::win32
