#include "print/print_scale.h"

#include "common/text_convert.h"
#include "resources/string_table.h"

#include <cmath>

namespace rovanta {
namespace {

constexpr double kMinGridMillimetres = 10.0;

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

std::string scaleText(int denominator)
{
    std::string digits = std::to_string(denominator);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ' ');
    return "1:" + digits;
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

PaperScaleBar choosePaperScaleBar(int denominator, double maxMillimetres)
{
    const double maxMetres = maxMillimetres * denominator / 1000.0;
    double power = std::pow(10.0, std::floor(std::log10(maxMetres)));
    double metres = power;
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * power <= maxMetres) {
            metres = step * power;
            break;
        }
    }
    // Whole metres or kilometres: the lengths are round.
    const std::string label = metres >= 1000.0 ? std::to_string(std::llround(metres / 1000.0)) + " km"
                                               : std::to_string(std::llround(metres)) + " m";
    return {metres, paperMillimetres(metres, denominator), label};
}

std::string footerText(const std::string& tourName, double kilometres, int denominator, const std::string& mapName)
{
    std::string text;
    if (!tourName.empty()) {
        text = replacePlaceholders(strings::tr(strings::kFooterTour), {tourName, formatFixed(kilometres, 0, 2)});
    }
    return text + replacePlaceholders(strings::tr(strings::kFooterMap), {scaleText(denominator), mapName});
}

double gridInterval(int denominator)
{
    for (const double metres : {1'000.0, 2'000.0, 5'000.0, 10'000.0, 20'000.0, 50'000.0}) {
        if (paperMillimetres(metres, denominator) >= kMinGridMillimetres)
            return metres;
    }
    return 100'000.0;
}

} // namespace rovanta
