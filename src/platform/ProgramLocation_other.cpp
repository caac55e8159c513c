#include "platform/ProgramLocation.h"

namespace kobrix {

// Windows looks for a library in the program's folder first when it is
// loaded by its bare name, which is what the callers fall back to.
QString programDirectory()
{
    return QString();
}

} // namespace kobrix
