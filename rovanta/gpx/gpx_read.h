// Reading GPX 1.1 and 1.0 files: their routes, tracks and waypoints.
#pragma once

#include "gpx/geo_path.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rovanta {

/// Larger files are refused before they are parsed: far more than any
/// recording, and small enough to hold twice in memory.
inline constexpr std::size_t kGpxSizeLimit = 64 * 1024 * 1024;

enum class GpxFailure {
    none,
    unreadable, ///< the file cannot be opened or read
    tooLarge,
    notXml,   ///< not well-formed, or truncated
    doctype,  ///< declares a document type; GPX never does, entity bombs do
    notGpx,   ///< wrong root element or namespace
    badPoint, ///< lat or lon missing, not a number, or out of range
    noPoints,
};

struct GpxContent {
    /// Routes, then tracks, then the waypoints as one path; only those with
    /// points, each in file order.
    std::vector<GeoPath> paths;
    GpxFailure failure = GpxFailure::none;
    /// What is wrong and where, in English, e.g. "line 7: latitude 91 is
    /// outside -90 to 90"; the caller names the file.
    std::string problem;

    bool ok() const { return failure == GpxFailure::none; }
};

/// All or nothing: any bad point fails the whole content, so no partial tour
/// can come of it. Unknown elements and extensions are skipped.
[[nodiscard]] GpxContent parseGpx(std::string_view content, std::size_t sizeLimit = kGpxSizeLimit);

/// parseGpx on the file's bytes; the size is checked before reading.
[[nodiscard]] GpxContent readGpxFile(const std::filesystem::path& file, std::size_t sizeLimit = kGpxSizeLimit);

/// What a chooser lists for a file with several paths.
struct GpxCandidate {
    GeoPathKind kind = GeoPathKind::route;
    std::string name;
    std::size_t pointCount = 0;
};
std::vector<GpxCandidate> gpxCandidates(const GpxContent& content);

} // namespace rovanta
