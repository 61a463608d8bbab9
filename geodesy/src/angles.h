// Angle constants shared by the library, each defined once.
#pragma once

#include <cstdint>
#include <numbers>

namespace kalimark {

inline constexpr double kPi = std::numbers::pi; ///< equals 4·atan(1) in double
inline constexpr double kTwoPi = 2.0 * kPi;
inline constexpr double kHalfPi = kPi / 2.0;
inline constexpr double kDegToRad = kPi / 180.0; ///< radians per degree
inline constexpr double kRadToDeg = 180.0 / kPi; ///< degrees per radian
/// The double nearest 1/60, used as a multiplier for minutes and seconds.
inline constexpr double kOneSixtieth = 1.0 / 60.0;

static_assert(kDegToRad == 0.017453292519943295);
static_assert(kRadToDeg == 57.29577951308232);

/// Truncates toward zero to a 32-bit integer. NaN gives 0; values beyond the
/// int32 range saturate, so a wild input can never trigger an undefined cast.
std::int32_t truncateToInt32(double value);

} // namespace kalimark
