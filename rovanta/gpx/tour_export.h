// Writing a tour to an exchange file the user names: GPX, KML or the
// distances table as CSV. The Tour menu and the manager's tours page share it.
#pragma once

#include "dialogs/distances.h"

#include <string>

namespace rovanta {

class cl_Tour;

enum class ExportFormat { gpx, kml, csv };

/// Asks for a file, starting in `folder` with the tour's name, and writes
/// the tour there; CSV is written in `csvFormat`. Asks before replacing a
/// file and tells when the file could not be written. True when written;
/// a tour without points is not offered.
bool exportTourFile(cl_Tour& tour, ExportFormat format, DisplayFormat csvFormat, const std::string& folder);

} // namespace rovanta
