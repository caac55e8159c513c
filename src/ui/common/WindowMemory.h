#pragma once

class QSettings;
class QWidget;

namespace kobrix {

// The size of a resizable window, the state of its splitters and the widths
// of the columns of its tree views that the user may resize, kept in the
// program's settings under the window's object name (and those of the
// splitters and views). With no settings nothing is kept or restored.
void saveWindowLayout(QSettings *settings, const QWidget &window);
// Restores what saveWindowLayout() kept; what was not kept, or no longer
// fits (a column the view does not have), stays as it is. The size never
// exceeds the screen's available area.
void restoreWindowLayout(QSettings *settings, QWidget &window);

} // namespace kobrix
