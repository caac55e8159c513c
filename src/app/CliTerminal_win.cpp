#include "app/CliTerminal.h"

#include <io.h>

namespace kobrix::cli {

bool isTerminal(std::FILE *stream)
{
    return _isatty(_fileno(stream)) != 0;
}

} // namespace kobrix::cli
