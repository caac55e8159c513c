#pragma once

// Handing a web or mail address, or a file, to the desktop.

#include <string>

namespace kobrix::win32 {

// Opens target with ShellExecuteW and the verb "open" (the user's browser
// for a web address, the mail program for a mailto: link). Returns 0, or
// the error number of the failure: 53 when the target is not found, 76
// when its folder is not, 70 when access is refused, 75 when nothing is
// registered to open it.
int shellOpen(const std::wstring &target);

} // namespace kobrix::win32
