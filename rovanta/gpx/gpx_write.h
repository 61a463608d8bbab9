// GPX 1.1 and KML texts of a tour, and writing such a text to its file.
#pragma once

#include "gpx/geo_path.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rovanta {

struct GpxExportOptions {
    std::string time;       ///< metadata time, ISO 8601 UTC; left out when empty
    bool withTrack = false; ///< the points once more as a track, for devices that take only tracks
};

/// A GPX 1.1 document: metadata with the name and time, one route named
/// after the tour with one point per tour point (name its 0-based number as
/// the distances table counts, desc its remark when it has one, coordinates
/// with 7 decimals), and the optional track.
std::string gpxText(std::string_view tourName, const std::vector<GeoPoint>& points, const GpxExportOptions& options);

/// A KML document: the tour as one line, and a placemark per point named by
/// its number, described by its remark.
std::string kmlText(std::string_view tourName, const std::vector<GeoPoint>& points);

/// "YYYY-MM-DDThh:mm:ssZ".
std::string isoUtcTime(std::chrono::system_clock::time_point time);

/// Writes an exported text atomically. False, with the system's reason in
/// `failure`, when the file could not be written; an old file then stays.
[[nodiscard]] bool writeExportFile(const std::filesystem::path& file, std::string_view content, std::string& failure);

} // namespace rovanta
