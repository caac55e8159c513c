#include "cli/CliTerminal.h"

#include "win32/console_win.h"

#include <io.h>

namespace kobrix::cli {

bool isTerminal(std::FILE *stream)
{
    return _isatty(_fileno(stream)) != 0;
}

bool writeText(std::FILE *stream, std::string_view text)
{
    return kobrix::win32::writeUtf8(stream, text);
}

} // namespace kobrix::cli
