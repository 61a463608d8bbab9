// Where the two sample sheets lie: one world in UTM zone 32 metres, cut into
// two sheets that overlap by a few pixel columns, so terrain, water, roads
// and trails agree where the sheets meet.
#pragma once

#include <QPointF>
#include <QRectF>

#include <array>
#include <cmath>

namespace sample_maps {

inline constexpr int kZone = 32;
inline constexpr double kScale = 4.0; // metres per pixel
inline constexpr int kWidth = 2000;
inline constexpr int kHeight = 1500;
inline constexpr int kOverlap = 50; // pixel columns both sheets show
inline constexpr double kSouth = 5248000;
inline constexpr double kNorth = kSouth + kHeight * kScale;
inline constexpr double kWorldWest = 646000;
inline constexpr double kWestSheetEast = kWorldWest + kWidth * kScale;
inline constexpr double kEastSheetWest = kWestSheetEast - kOverlap * kScale;
inline constexpr double kWorldEast = kEastSheetWest + kWidth * kScale;
inline constexpr double kContour = 20.0;

/// A position in UTM metres: easting and northing.
struct Pt {
    double e = 0;
    double n = 0;
};

struct Sheet {
    const char* name;
    const char* file; ///< without extension
    double west;      ///< easting of the left edge
    bool titleLeft;   ///< the title box keeps away from the seam
};
inline constexpr std::array<Sheet, 2> kSheets{
    {{"Sample West", "sample_west", kWorldWest, true}, {"Sample East", "sample_east", kEastSheetWest, false}}};

inline double distance(Pt a, Pt b)
{
    return std::hypot(a.e - b.e, a.n - b.n);
}

inline QPointF toImage(const Sheet& sheet, Pt p)
{
    return {(p.e - sheet.west) / kScale, (kNorth - p.n) / kScale};
}

inline QRectF titleBox(const Sheet& sheet)
{
    return {sheet.titleLeft ? 60.0 : kWidth - 60.0 - 400, kHeight - 60.0 - 150, 400, 150};
}

} // namespace sample_maps
