// One 256-colour palette for all sheets, and the lookup from a colour to its
// palette entry.
#pragma once

#include <QImage>
#include <QRgb>

#include <cstdint>
#include <vector>

namespace sample_maps {

/// Exactly 256 entries.
std::vector<QRgb> buildPalette(const std::vector<QImage>& images);

/// The nearest palette entry for each 5-bit-per-channel bin, indexed by
/// red << 10 | green << 5 | blue.
std::vector<std::uint8_t> nearestIndex(const std::vector<QRgb>& palette);

} // namespace sample_maps
