// Where a typed position is shown: the map in view when it holds the
// position, so Go to never leaves a sheet needlessly, else the first
// checked map that does.
#pragma once

#include "manager/cl_manager.h"
#include "manager/records.h"

#include <kalimark/kalimark.h>

namespace rovanta {

/// The map to show `position` on, or nothing when no checked map holds it.
/// The position then carries its pixel on that map.
MapRecord mapForPosition(const cl_Manager& manager, const MapRecord& current, cl_RefPoint& position);

} // namespace rovanta
