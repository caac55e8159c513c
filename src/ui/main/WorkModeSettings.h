#pragma once

#include "ui/main/WorkMode.h"

class QAction;

namespace kobrix {

class Form1;

// What each work mode sets in the main window, all of it here. The main
// window's load step applies the settings of the whole window, and those of
// each optical drive's button as the button is added; the rest follows once
// the start dialog has named the catalog (and loaded it, for the modes that
// open one): the caption and the command buttons.

// The load step's part for the whole window. It holds whether or not there
// is an optical drive.
void applyLoadSettings(Form1 &window, WorkMode mode);
// The load step's part for the button of one optical drive.
void applyDriveButtonSettings(QAction &driveButton, WorkMode mode);
// The part that follows the naming of the catalog (Catalog::path()): the
// caption, and the disc name box and command buttons.
void applyStartSettings(Form1 &window, WorkMode mode);

} // namespace kobrix
