#pragma once

#include <QPixmap>
#include <QSize>

namespace kobrix {

// Size of the program's picture in the start dialog and the About box.
inline constexpr QSize kArtworkSize(150, 250);

// The program's picture: a catalogue card with its ruled entries standing
// behind a stack of compact discs, on a night-blue ground. Drawn with
// QPainter, so it needs no image files.
QPixmap kobrixArtwork();

} // namespace kobrix
