#pragma once

// The standard streams of a Windows program. The C runtime opens them in
// text mode, which puts a CR before every LF written: output that is bytes
// (a CSV with its own CR LF, a web page) would differ from the same output
// on Linux. And a console shows the bytes written to it in its code page,
// so UTF-8 text needs writing as UTF-16 there to show every letter.

#include <cstdio>
#include <string_view>

namespace kobrix::win32 {

// Puts stream in binary mode, so that its bytes are written as they are.
// False when the stream has nothing behind it (a window program started
// without a console or a redirection) or the mode could not be set.
bool setBinaryMode(std::FILE *stream);

// Whether stream writes to a console (NUL, a character device too, is none).
bool isConsole(std::FILE *stream);

// Writes utf8 to stream as the stream needs it: to a console as UTF-16,
// which shows every letter whatever the console's code page (invalid UTF-8
// showing as U+FFFD); to a file or a pipe its bytes exactly. What the stream
// holds buffered is written first. False when the write failed.
bool writeUtf8(std::FILE *stream, std::string_view utf8);

} // namespace kobrix::win32
