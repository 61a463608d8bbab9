// The position under the cursor as the status bar shows it: once in the
// distances table's format, once in UTM.
#pragma once

#include "dialogs/distances.h"

#include <kalimark/kalimark.h>

#include <string>

namespace rovanta {

/// Latitude, then longitude, in `format` ("47° 16.0980' N  11° 23.5980' E");
/// the UTM format gives utmText.
std::string positionText(cl_RefPoint& point, DisplayFormat format);

/// Zone and band, easting, northing in WGS 84 and the natural zone
/// ("32T 680000 5237000"); empty outside the UTM area.
std::string utmText(cl_RefPoint& point);

} // namespace rovanta
