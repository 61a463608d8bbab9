// The symbols drawn over a sheet's terrain: river, creeks and lake with their
// names; the road, trails, villages, the hut and the summits.
#pragma once

#include "layout.h"
#include "plan.h"

class QPainter;

namespace sample_maps {

void drawWater(QPainter& painter, const Sheet& sheet);
void drawSettlements(QPainter& painter, const Sheet& sheet, const Plan& plan);

} // namespace sample_maps
