#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>

// Icon 128: the program's icon, shown by every window and the About box.
QIcon ProgramIcon();

// Bitmap 142: the 8 x 8 pattern of the printout's bands, white with eight
// teal dots on a diagonal grid. It is tiled in device pixels, so on paper
// it reads as a light tint whatever the printer's resolution.
QImage BandPatternBitmap();

// The colour the pattern reads as from a distance: the mean of its pixels.
QColor BandPatternTint();
