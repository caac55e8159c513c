#include "cli/CliTerminal.h"

#include <unistd.h>

namespace kobrix::cli {

bool isTerminal(std::FILE *stream)
{
    return ::isatty(fileno(stream)) == 1;
}

bool writeText(std::FILE *stream, std::string_view text)
{
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

} // namespace kobrix::cli
