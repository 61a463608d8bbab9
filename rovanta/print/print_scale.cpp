#include "print/print_scale.h"

#include "common/text_convert.h"
#include "navigation/map_scale.h"
#include "navigation/utm_grid.h"
#include "resources/string_table.h"

#include <cmath>

namespace rovanta {
namespace {

/// Drops ASCII spaces and the UTF-8 no-break spaces people paste from
/// formatted numbers.
std::string withoutSpaces(std::string_view text)
{
    static constexpr std::string_view kNoBreak = "\xC2\xA0";
    static constexpr std::string_view kNarrowNoBreak = "\xE2\x80\xAF";
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
        } else if (text.substr(i, kNoBreak.size()) == kNoBreak) {
            i += kNoBreak.size();
        } else if (text.substr(i, kNarrowNoBreak.size()) == kNarrowNoBreak) {
            i += kNarrowNoBreak.size();
        } else {
            result += text[i++];
        }
    }
    return result;
}

} // namespace

std::optional<int> parseScale(std::string_view text)
{
    std::string digits = withoutSpaces(text);
    if (digits.starts_with("1:"))
        digits.erase(0, 2);
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < kSmallestScale || value > kLargestScale)
        return std::nullopt;
    return value;
}

int sheetScale(double metresPerPixel)
{
    const double dotMetres = kMillimetresPerInch / kSheetScanDpi / 1000.0;
    return static_cast<int>(std::lround(metresPerPixel / dotMetres));
}

double paperMillimetres(double metres, int denominator)
{
    return metres * 1000.0 / denominator;
}

int paperScaleBarMetres(int denominator, double maxMillimetres)
{
    return roundLength(maxMillimetres * denominator / 1000.0).value_or(kShortestRoundLength);
}

double paperGridStep(int denominator)
{
    return utmGridStep(denominator / 1000.0, kPaperGridMinSpacing);
}

std::string footerText(const std::string& tourName, double kilometres, int denominator, const std::string& mapName)
{
    std::string text;
    if (!tourName.empty()) {
        text = replacePlaceholders(strings::tr(strings::kFooterTour), {tourName, formatFixed(kilometres, 0, 2)});
    }
    return text + replacePlaceholders(strings::tr(strings::kFooterMap), {exactScaleText(denominator), mapName});
}

} // namespace rovanta
