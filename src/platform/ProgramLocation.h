#pragma once

#include <QString>

namespace kobrix {

// The folder of the running program's executable, found without an
// application object (kobrix-cli makes none); empty where the system cannot
// say. Modules installed beside the program are looked for there.
QString programDirectory();

} // namespace kobrix
