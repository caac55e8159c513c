#include "platform/ProgramLocation.h"

namespace kobrix {

QStringList moduleCandidates(const QString &name)
{
    QStringList candidates;
    const QString here = programDirectory();
    if (!here.isEmpty()) {
        candidates << here + QLatin1Char('/') + name;
        candidates << here + QLatin1Char('/') + QStringLiteral(KOBRIX_MODULE_DIR_FROM_BIN)
                          + QLatin1Char('/') + name;
    }
    candidates << name;
    return candidates;
}

} // namespace kobrix
