// The ground of a sheet: tints, forest, rock and lake under hillshade, with
// the contour lines.
#pragma once

#include "layout.h"

#include <QImage>

namespace sample_maps {

/// A kWidth × kHeight RGB image of the sheet's ground.
QImage drawTerrain(const Sheet& sheet);

} // namespace sample_maps
