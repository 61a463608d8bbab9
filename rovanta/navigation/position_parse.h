// A position as a user types it: in any of the distances table's four
// formats or as UTM, the way people copy it from maps, guides and GPS
// units.
#pragma once

#include <kalimark/kalimark.h>

#include <optional>
#include <string_view>

namespace rovanta {

/// Reads `text` (UTF-8) as one of
///   decimal degrees              "47.2683 11.3933", "-33.9 18.42"
///   degrees, decimal minutes     "47°16.098' N 11°23.598' E"
///   degrees, minutes, seconds    "47°16'05.9\" N 11°23'35.9\" E"
///   hemisphere letters first    "N 47 16.098 E 11 23.598"
///   UTM                          "32T 680000 5237000", "32 680000 5237000",
///                                "680000 5237000 32T" (as the table shows it)
/// Without letters the latitude comes first and a minus sign means south or
/// west; with letters (N, S, E, W, or O for east) either order is fine.
/// Symbols and blanks only separate, as do commas and semicolons between
/// numbers; with no point in the text, a comma between digits is a decimal
/// comma. UTM without a band letter is on the northern hemisphere. Nothing
/// for a text that is none of these or lies outside the globe or the zone.
[[nodiscard]] std::optional<cl_RefPoint> parsePosition(std::string_view text);

} // namespace rovanta
