// Where the view keeps its options in the settings, beside the manager's
// lists, which older versions read without knowing this section.
#pragma once

#include <string_view>

namespace rovanta::settings {

inline constexpr std::string_view kView = "View";
/// 1 while the UTM grid is drawn over the map.
inline constexpr std::string_view kUtmGrid = "UtmGrid";

} // namespace rovanta::settings
