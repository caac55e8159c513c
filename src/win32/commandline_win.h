#pragma once

// The program's arguments as the user typed them. The narrow argv of main()
// passes through the ANSI code page, which cannot hold every name; the wide
// command line can.

#include <string>
#include <string_view>
#include <vector>

namespace kobrix::win32 {

// The arguments of a command line split by the rules of the C runtime
// (quotes, backslashes before quotes), the program name left out, each as
// UTF-8.
std::vector<std::string> splitCommandLine(std::wstring_view commandLine);

// The arguments this process was started with, as UTF-8.
std::vector<std::string> commandLineArguments();

} // namespace kobrix::win32
