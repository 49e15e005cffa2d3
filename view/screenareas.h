#pragma once

#include <QList>
#include <QRect>

// The part of each screen that windows may take (without panels and
// docks). When no screen is known, one 1024x768 area, so that stored
// sizes are still held to something sane.
QList<QRect> AvailableScreenAreas();

// The widest of those areas' widths.
int WidestScreenWidth();
