#include "app/CliTerminal.h"

#include <unistd.h>

namespace kobrix::cli {

bool isTerminal(std::FILE *stream)
{
    return ::isatty(fileno(stream)) == 1;
}

} // namespace kobrix::cli
