// The printout's scale: what the user types, the sheet's own scale, and
// the scale bar and grid step that go with it. Paper in millimetres,
// ground in metres.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rovanta {

/// Scales the print dialog offers before the sheet's own, as denominators.
inline constexpr int kOfferedScales[] = {10'000, 25'000, 50'000, 100'000};
/// Denominators a printout accepts: a house plan up to a country on A4.
inline constexpr int kSmallestScale = 500;
inline constexpr int kLargestScale = 5'000'000;
/// Dots per inch a sheet is taken to be scanned at: its own scale prints
/// one sheet pixel on one dot of such a scan.
inline constexpr double kSheetScanDpi = 300.0;
inline constexpr double kMillimetresPerInch = 25.4;

/// The denominator of "1:25000", "25000", "1:25 000" or "1 : 25 000";
/// nothing for anything else or a denominator outside the accepted range.
std::optional<int> parseScale(std::string_view text);

/// The scale at which one pixel of a sheet of `metresPerPixel` prints as
/// one dot at the scan resolution above, to the nearest whole number.
int sheetScale(double metresPerPixel);

/// Paper millimetres of `metres` on the ground at 1:`denominator`.
double paperMillimetres(double metres, int denominator);

/// The scale bar's ground length, metres: the view's longest round length
/// that fits into `maxMillimetres` of paper, or its shortest where none
/// does, since a printout at a true scale always carries its bar.
int paperScaleBarMetres(int denominator, double maxMillimetres);

/// Closest spacing of grid lines on paper, mm.
inline constexpr double kPaperGridMinSpacing = 10.0;

/// Metres between grid lines on paper: the view's grid steps, with
/// millimetres for its device pixels.
double paperGridStep(int denominator);

/// The footer's left part: "Tour: Alps   Distance: 12.35 km   Scale
/// 1:25 000   Map: Sample West"; an empty tour name leaves the tour out.
std::string footerText(const std::string& tourName, double kilometres, int denominator, const std::string& mapName);

} // namespace rovanta
