#include "win32/commandline_win.h"

#include "win32/text_win.h"

#include <windows.h>
#include <shellapi.h>

namespace kobrix::win32 {

std::vector<std::string> splitCommandLine(std::wstring_view commandLine)
{
    std::vector<std::string> arguments;
    const std::wstring line(commandLine);
    int count = 0;
    LPWSTR *argv = CommandLineToArgvW(line.c_str(), &count);
    if (!argv)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(toUtf8(argv[i]));
    LocalFree(argv);
    return arguments;
}

std::vector<std::string> commandLineArguments()
{
    return splitCommandLine(GetCommandLineW());
}

} // namespace kobrix::win32
