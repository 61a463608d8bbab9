// The scale the map shows at on screen, its text for the status bar, and
// the scale bar's length.
#pragma once

#include <optional>
#include <string>

namespace rovanta {

/// Ground metres one screen pixel covers: the sheet's metres per bitmap
/// pixel over the zoom. 0 when either is not positive.
double metresPerScreenPixel(double metresPerPixel, double zoom);

/// The scale's denominator on a screen of `dpi` pixels per inch: ground
/// length over screen length. 0 when an input is not positive.
double scaleDenominator(double metresPerPixel, double zoom, double dpi);

/// "1:25 000": the denominator rounded to three significant digits (the
/// screen's resolution is rarely known better), thousands apart by a
/// space. Empty for 0.
std::string scaleText(double denominator);

/// "1:25 000": the denominator as it is, for paper, where the scale is
/// exact.
std::string exactScaleText(int denominator);

inline constexpr int kShortestRoundLength = 50; ///< metres

/// The longest round length from 50 m to 100 km that is at most
/// `maxMetres`; nothing when even 50 m is longer.
std::optional<int> roundLength(double maxMetres);

/// "500 m", "2 km": a round length as the scale bar names it.
std::string lengthLabel(int metres);

struct ScaleBar {
    int metres = 0;
    int pixels = 0;
    std::string label; ///< "500 m", "2 km"
};

/// The longest round length from 50 m to 100 km whose bar is at most a
/// fifth of `windowWidth`; nothing when even 50 m is longer.
std::optional<ScaleBar> chooseScaleBar(double metresPerScreenPixel, int windowWidth);

} // namespace rovanta
