// Sheets that cannot be read at random (strip-organised or whole-file
// compressed images) are converted once into tiled, compressed copies with
// reductions; tiled sheets without reductions get reductions of their own.
// Both live in a cache folder, keyed by the sheet's path, size and
// modification time, and bounded in size, the least recently used going
// first.
#pragma once

#include "raster/raster_info.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stop_token>

namespace rovanta {

/// How a sheet is painted.
enum class RasterRoute {
    kDirect,     ///< read as it is
    kReductions, ///< tiled, read as it is; zoomed out from reductions built into the cache
    kTiledCopy,  ///< read from a tiled copy made in the cache
};

/// Sheets up to this many pixels are read as they are whatever their
/// layout: the block cache holds all their rows.
constexpr std::int64_t kDirectPixels = std::int64_t{4096} * 4096;

/// How `info`'s sheet is painted, when sheets up to `directPixels` are read
/// as they are.
RasterRoute routeFor(const RasterInfo& info, std::int64_t directPixels = kDirectPixels);

class RasterCache {
public:
    /// Progress 0..1; returning false stops the conversion.
    using Progress = std::function<bool(double done)>;

    /// Total size the cache keeps by default.
    static constexpr std::uint64_t kDefaultBytes = std::uint64_t{4} << 30;

    /// Sheets up to `directPixels` need no entry (routeFor).
    explicit RasterCache(std::filesystem::path folder, std::uint64_t maxBytes = kDefaultBytes,
                         std::int64_t directPixels = kDirectPixels);

    /// What to open for `sheet` in its current state: the sheet's copy or
    /// reductions file, once made; nothing while there is none.
    std::optional<std::filesystem::path> find(const std::filesystem::path& sheet) const;

    /// Makes the copy or reductions for `sheet` as its route asks, replaces
    /// any made from an earlier state of the same file, and evicts the
    /// least recently used others beyond the size bound. The file to
    /// open, or nothing when the sheet cannot be converted or `progress`
    /// stopped it; a partial file never stays.
    [[nodiscard]] std::optional<std::filesystem::path> prepare(const std::filesystem::path& sheet,
                                                               const Progress& progress);

    const std::filesystem::path& folder() const { return folder_; }

private:
    std::optional<std::filesystem::path> entryFor(const std::filesystem::path& sheet) const;
    void evictBeyondBound(const std::filesystem::path& keep) const;

    std::filesystem::path folder_;
    std::uint64_t maxBytes_;
    std::int64_t directPixels_;
};

} // namespace rovanta
