// The test helpers on systems without POSIX calls: no FIFOs, and no place
// known to refuse writes to everybody, so the cases that need them skip.
#include "TestSupport.h"

namespace kobrix::test {

bool makeFifo(const QString &) { return false; }

QString placeRefusingWrites() { return QString(); }

bool permissionsRefuseUs() { return false; }

} // namespace kobrix::test
