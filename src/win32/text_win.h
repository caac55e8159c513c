#pragma once

// Text conversions of the Windows layer: file names and paths are UTF-16 in
// the wide-character API and UTF-8 everywhere else in the program.

#include <string>
#include <string_view>

namespace kobrix::win32 {

// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::wstring toWide(std::string_view utf8);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string toUtf8(std::wstring_view wide);

// A name as it appears in a listing line: UTF-8, with every control
// character (C0, DEL and C1) replaced by U+FFFD so that no name can split a
// catalog record. The same rule as for names read on Linux.
std::string displayName(std::wstring_view name);

} // namespace kobrix::win32
