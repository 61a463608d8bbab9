// Registers a folder of sample maps and tours as a user would on the
// Manager sheet: for a first start, and for the settings run.sh seeds.
#pragma once

#include "manager/cl_manager.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace rovanta {

/// Adds `folder` to the folder list and searches it; the map named
/// `currentMap` (else the first) becomes current, the other maps and every
/// tour are checked. Returns how many maps the manager holds afterwards.
std::size_t registerSampleFolder(cl_Manager& manager, const std::string& folder, std::string_view currentMap);

} // namespace rovanta
