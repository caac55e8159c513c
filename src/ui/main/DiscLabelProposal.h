#pragma once

#include <initializer_list>

class QLineEdit;
class QPushButton;
class QString;

namespace kobrix {

// After a scan, an empty disc name box takes the disc's own label, all of
// it selected and the focus in the box: typing replaces it, and the box
// works on as it always does. A box that holds a name already, or a disc
// without a label, leaves everything as it was.
void proposeDiscLabel(QLineEdit &box, const QString &label);

// Enter in the disc name box clicks the first of writes that is shown and
// enabled ("Write Catalog..." or "Add to Catalog..."), as a click on it
// would: a label proposed after a scan is taken with one key.
void pressWriteOnEnter(QLineEdit &box, std::initializer_list<QPushButton *> writes);

} // namespace kobrix
