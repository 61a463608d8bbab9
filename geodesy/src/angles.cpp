#include "angles.h"

#include <cmath>
#include <limits>

namespace kalimark {

std::int32_t truncateToInt32(double value)
{
    using Limits = std::numeric_limits<std::int32_t>;
    if (std::isnan(value))
        return 0;
    const double t = std::trunc(value);
    if (t <= static_cast<double>(Limits::min()))
        return Limits::min();
    if (t >= static_cast<double>(Limits::max()))
        return Limits::max();
    return static_cast<std::int32_t>(t);
}

} // namespace kalimark
