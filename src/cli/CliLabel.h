#pragma once

// kobrix-cli's use of a disc's own name: the label command and the name of
// write and append's --disc-from-label.

#include "core/RuntimeError.h"

#include <QString>
#include <QStringList>

namespace kobrix::cli {

// label ROOT|IMAGE|DEVICE: prints the volume label; exits 1 when there is
// none, 2 when it cannot be read.
int commandLabel(const QStringList &args);

// The label of root: a disc image or device read for its volume
// descriptors, a folder for the volume mounted there. Empty when there is
// none; error set when it cannot be read (a missing root is 53).
QString labelOfRoot(const QString &root, RuntimeError &error);

} // namespace kobrix::cli
