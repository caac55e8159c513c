#pragma once

#include <QString>

namespace kobrix {

// Hands a web or mail address to the desktop ("open" it with the user's
// browser or mail program). The result is not examined by callers.
class ShellOpener
{
public:
    virtual ~ShellOpener() = default;
    virtual void open(const QString &target) = 0;
};

} // namespace kobrix
