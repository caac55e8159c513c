#pragma once

#include "platform/ShellOpener.h"

namespace kobrix {

// Hands web and mail addresses to the desktop's registered browser or mail
// program: QDesktopServices::openUrl (QtShellOpener.cpp), on Windows
// ShellExecuteW with the verb "open" (QtShellOpener_win.cpp). Whether that
// worked is not looked at.
class QtShellOpener : public ShellOpener
{
public:
    void open(const QString &target) override;
};

} // namespace kobrix
