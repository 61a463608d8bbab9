// A position typed or pasted into Go to Position. Whatever it reads must
// be a real place: a finite latitude and longitude on the globe.
#include "navigation/position_parse.h"
#include "fuzz_input.h"

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<cl_RefPoint> point = rovanta::parsePosition(rovanta::fuzz::bytesOf(data, size));
    if (!point)
        return 0;
    // A little slack for the UTM round trip at the poles and the date line.
    constexpr double kSlack = 1e-9;
    if (!std::isfinite(point->latitude) || !std::isfinite(point->longitude) ||
        std::abs(point->latitude) > std::numbers::pi / 2 + kSlack ||
        std::abs(point->longitude) > std::numbers::pi + kSlack)
        std::abort();
    return 0;
}
