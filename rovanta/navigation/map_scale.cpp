#include "navigation/map_scale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace rovanta {
namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr int kSignificantDigits = 3;
constexpr int kWindowShare = 5;
constexpr std::array kRoundLengths{
    kShortestRoundLength, 100, 200, 500, 1'000, 2'000, 5'000, 10'000, 20'000, 50'000, 100'000};

std::string grouped(long long value)
{
    std::string digits = std::to_string(value);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ' ');
    return digits;
}

} // namespace

std::string lengthLabel(int metres)
{
    return metres < 1'000 ? std::to_string(metres) + " m" : std::to_string(metres / 1'000) + " km";
}

std::optional<int> roundLength(double maxMetres)
{
    // Longest first; reverse iterators rather than views::reverse, which
    // clang 14 (the fuzz build) cannot compile against libstdc++ 12.
    const auto longest = std::find_if(kRoundLengths.rbegin(), kRoundLengths.rend(),
                                      [maxMetres](int metres) { return metres <= maxMetres; });
    if (longest == kRoundLengths.rend())
        return std::nullopt;
    return *longest;
}

double metresPerScreenPixel(double metresPerPixel, double zoom)
{
    return metresPerPixel > 0.0 && zoom > 0.0 ? metresPerPixel / zoom : 0.0;
}

double scaleDenominator(double metresPerPixel, double zoom, double dpi)
{
    if (!(dpi > 0.0))
        return 0.0;
    return metresPerScreenPixel(metresPerPixel, zoom) * dpi / kMetresPerInch;
}

std::string scaleText(double denominator)
{
    if (!(denominator >= 1.0) || !std::isfinite(denominator))
        return {};
    const int magnitude = static_cast<int>(std::floor(std::log10(denominator)));
    const double unit = std::pow(10.0, std::max(0, magnitude + 1 - kSignificantDigits));
    return "1:" + grouped(std::llround(std::round(denominator / unit) * unit));
}

std::string exactScaleText(int denominator)
{
    return "1:" + grouped(denominator);
}

std::optional<ScaleBar> chooseScaleBar(double metresPerScreenPixel, int windowWidth)
{
    if (!(metresPerScreenPixel > 0.0) || windowWidth <= 0)
        return std::nullopt;
    const double limit = static_cast<double>(windowWidth) / kWindowShare;
    const std::optional<int> metres = roundLength(limit * metresPerScreenPixel);
    if (!metres)
        return std::nullopt;
    const double pixels = *metres / metresPerScreenPixel;
    return ScaleBar{*metres, std::max(1, static_cast<int>(std::lround(pixels))), lengthLabel(*metres)};
}

} // namespace rovanta
