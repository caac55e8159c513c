#pragma once

#include <QString>
#include <QStringList>

namespace kobrix {

// The folder of the running program's executable, found without an
// application object (kobrix-cli makes none); empty where the system cannot
// say. Modules installed beside the program are looked for there.
QString programDirectory();

// Where a module of the program named name (no prefix or suffix) may lie:
// beside the program (the build tree), in the installed module folder, and
// wherever the system looks for libraries, in that order.
QStringList moduleCandidates(const QString &name);

} // namespace kobrix
