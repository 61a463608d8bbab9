// The text files that give positions in degrees: a sheet's calibration file,
// and the sample tour with its remarks.
#pragma once

#include "layout.h"
#include "plan.h"

#include <filesystem>

namespace sample_maps {

/// Writes FILE.cal for the sheet into the folder.
void writeCal(const std::filesystem::path& folder, const Sheet& sheet);

/// Writes "Sample Tour.TXT" and "Sample Tour.rmk" into the folder.
void writeTour(const std::filesystem::path& folder, const Plan& plan);

} // namespace sample_maps
