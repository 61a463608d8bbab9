// Shared by the fuzz targets: fuzzed bytes written to files in a private
// folder, and inputs made of two parts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <utility>

namespace rovanta::fuzz {

/// Separates the two parts of an input that feeds two files or a name and
/// a file; an input without it is all first part.
inline constexpr std::string_view kPartMark = "\n--8<--\n";

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

/// A folder of this process's own, removed at a normal exit.
const std::filesystem::path& scratchFolder();

/// Replaces `name` in the scratch folder by exactly `bytes`; its path.
std::filesystem::path writeScratch(std::string_view name, std::string_view bytes);

/// The parts before and after the first kPartMark.
std::pair<std::string_view, std::string_view> splitInput(std::string_view input);

/// A valid 2 × 2, 24-bit BMP, for calibration files that name a bitmap.
std::string_view tinyBmp();

} // namespace rovanta::fuzz
