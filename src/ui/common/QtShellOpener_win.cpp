// The shell opener on Windows: ShellExecuteW with the verb "open", through
// the Windows layer, as the program's other system calls there. The address
// reaches the shell exactly as written (the mail subject's blanks, the
// donation page's "%40").

#include "ui/common/QtShellOpener.h"

#include "win32/shell_win.h"

namespace kobrix {

void QtShellOpener::open(const QString &target)
{
    win32::shellOpen(target.toStdWString()); // the result is not looked at
}

} // namespace kobrix
