// A tour not yet saved, kept in a small file of its own so that a crash, a
// kill or a logout does not lose it: the record, its text form and the
// files a run leaves behind.
#pragma once

#include "tour/cl_tour.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rovanta {

struct RecoveredPoint {
    double latitude = 0.0;  ///< degrees, north positive
    double longitude = 0.0; ///< degrees, east positive
    std::string remark;
    bool operator==(const RecoveredPoint&) const = default;
};

struct RecoveryRecord {
    std::string name;
    std::string path;    ///< the tour file; empty for a tour never saved
    std::string mapPath; ///< the calibration file of the map shown; may be empty
    std::vector<RecoveredPoint> points;
    std::int64_t writtenAt = 0; ///< seconds since the epoch
    std::int64_t pid = 0;       ///< the process that keeps the file
    bool operator==(const RecoveryRecord&) const = default;
};

/// The record as text: a version line, one "key value" line each, one line
/// per point with its remark, and an end line. Line breaks and backslashes
/// in texts are escaped, so any remark survives.
std::string formatRecoveryRecord(const RecoveryRecord& record);
/// Nothing for text that is not a whole record of this version: an unknown
/// key, a bad number, a missing end line (a damaged file is ignored).
[[nodiscard]] std::optional<RecoveryRecord> parseRecoveryRecord(std::string_view text);

/// Writes the record to a temporary file and renames it into place,
/// creating the folder first.
[[nodiscard]] bool writeRecoveryFile(const std::filesystem::path& file, const RecoveryRecord& record);
[[nodiscard]] std::optional<RecoveryRecord> readRecoveryFile(const std::filesystem::path& file);

/// The file process `pid` keeps its unsaved tour in, inside `folder`.
std::filesystem::path recoveryFileFor(const std::filesystem::path& folder, std::int64_t pid);

struct LeftRecovery {
    std::filesystem::path file;
    RecoveryRecord record;
};
/// The readable recovery files in `folder` of processes other than `ownPid`
/// that are no longer running, newest first.
std::vector<LeftRecovery> leftRecoveries(const std::filesystem::path& folder, std::int64_t ownPid,
                                         const std::function<bool(std::int64_t pid)>& running);

/// The tour's points, remarks, name and path; `mapPath` is the map shown.
RecoveryRecord recordOfTour(cl_Tour& tour, std::string mapPath);
/// Replaces the tour's points, remarks, name and path by the record's. The
/// points' pixels are 0 until they are placed on a map.
void restoreTour(const RecoveryRecord& record, cl_Tour& tour);

/// "Recover the unsaved tour "NAME" from DATE?", DATE in local time.
std::string recoveryQuestion(const RecoveryRecord& record);

} // namespace rovanta
