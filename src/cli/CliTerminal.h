#pragma once

// kobrix-cli's output to a terminal. Catalogs come from anywhere, and a name
// may hold control sequences (ESC, CSI, OSC) that move the cursor, retitle
// the window or worse once printed, or bidirectional overrides that show a
// name other than it is. On a terminal such characters are shown as '?', as
// ls does; a pipe or a file gets the exact bytes.

#include <cstdio>
#include <string>
#include <string_view>

namespace kobrix::cli {

// Whether stream (stdout or stderr) is a terminal. Each platform has its
// own (CliTerminal_posix.cpp, CliTerminal_win.cpp).
bool isTerminal(std::FILE *stream);

// Writes text (UTF-8) to stream (stdout or stderr) as the stream takes it:
// a Windows console as UTF-16, so that every letter shows whatever the
// console's code page; a file, a pipe and every stream on POSIX its bytes.
// False when the write failed.
bool writeText(std::FILE *stream, std::string_view text);

// text (UTF-8) with each C0 control but the tab, DEL, each C1 control, the
// bidirectional marks, embeddings, overrides and isolates (U+061C, U+200E,
// U+200F, U+202A-U+202E, U+2066-U+2069) and each byte that is no part of
// valid UTF-8 replaced by '?'. Returns text itself when nothing is to be
// replaced, else scratch holding the result.
std::string_view visibleOnTerminal(std::string_view text, std::string &scratch);

} // namespace kobrix::cli
