#pragma once

namespace kobrix {

class Form1;
class LineStoreModel;

// The main window's designed controls below its toolbar, made in their
// designed order (which is their tab order) into the window's design-named
// members (Form1::List2, Text2, Command3...), and the status bar.
void createMainControls(Form1 &window, LineStoreModel *list1Model, LineStoreModel *list2Model);

// Lays the controls out at their designed places. The right-hand column is
// widened, and its controls moved down, where the font needs more room than
// the design gives, so that no caption is clipped. The window takes the
// size its controls need and keeps it. Laid out again whenever the window's
// font or style changes.
void placeMainControls(Form1 &window);

} // namespace kobrix
