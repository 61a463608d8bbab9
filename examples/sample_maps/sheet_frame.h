// What frames a sheet's content: the UTM kilometre grid with its labels and
// the title box with scale bar and north arrow.
#pragma once

#include "layout.h"

class QPainter;

namespace sample_maps {

void drawGrid(QPainter& painter, const Sheet& sheet);
void drawTitle(QPainter& painter, const Sheet& sheet);

} // namespace sample_maps
