// BMP files for tests and benchmarks: real headers, pixel rows left as
// zeros in a sparse file, so even a gigabyte costs no disk and no time.
#pragma once

#include <cstdint>
#include <filesystem>

namespace rovanta::test {

enum class BmpInfoForm {
    kCore, ///< 12-byte OS/2 core header, 16-bit sizes
    kV3,   ///< 40-byte info header
    kV4,   ///< 108-byte
    kV5,   ///< 124-byte
};

struct BmpLayout {
    std::int32_t width = 0;
    std::int32_t height = 0; ///< positive
    std::uint16_t bitsPerPixel = 24;
    BmpInfoForm form = BmpInfoForm::kV3;
    bool topDown = false;       ///< written as a negative height
    std::int64_t dropBytes = 0; ///< cut this many bytes off the end (a truncated file)
};

/// Writes the file; false on an I/O error.
bool writeBmp(const std::filesystem::path& file, const BmpLayout& layout);

} // namespace rovanta::test
