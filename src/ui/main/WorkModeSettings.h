#pragma once

#include "session/WorkMode.h"

namespace kobrix {

class Form1;

// What follows once the start dialog has named the catalog (Catalog::path()),
// and loaded it for the modes that open one: the caption, and the controls
// in the states the work mode starts with (MainControls.h).
void applyStartSettings(Form1 &window, WorkMode mode);

} // namespace kobrix
