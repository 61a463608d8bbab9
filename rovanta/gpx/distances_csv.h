// The distances table as CSV for spreadsheets.
#pragma once

#include "dialogs/distances.h"

#include <string>
#include <string_view>

namespace rovanta {

class cl_Tour;

/// One RFC 4180 field: quoted when it holds a comma, quote, CR or LF, with
/// quotes doubled.
std::string csvField(std::string_view text);

/// A header row, then one row per point: number, latitude and longitude in
/// signed decimal degrees with 7 decimals, the cells of the chosen format,
/// leg and total in km, remark. UTF-8 behind a byte order mark, CRLF line
/// ends.
std::string distancesCsv(cl_Tour& tour, DisplayFormat format);

} // namespace rovanta
