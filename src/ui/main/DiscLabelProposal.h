#pragma once

class QLineEdit;
class QString;

namespace kobrix {

// After a scan, an empty disc name box takes the disc's own label, all of
// it selected and the focus in the box: typing replaces it, and the box
// works on as it always does. A box that holds a name already, or a disc
// without a label, leaves everything as it was.
void proposeDiscLabel(QLineEdit &box, const QString &label);

} // namespace kobrix
