// The built-in ellipsoid table: name, two-letter code, axes, flattening.
#pragma once

#include <string_view>

namespace kalimark {

/// Bits returned by the ellipsoid operations (0 = success).
namespace ellipsoid_bits {
inline constexpr int kRowUnreadable = 0x1; ///< a built-in row did not parse
inline constexpr int kTableFull = 0x4;     ///< more than kMaxEllipsoids rows
inline constexpr int kNotBuilt = 0x8;
inline constexpr int kBadIndex = 0x10;
inline constexpr int kUnknownCode = 0x20;
} // namespace ellipsoid_bits

inline constexpr int kMaxEllipsoids = 32;

struct EllipsoidRow {
    char name[30] = {};             ///< at most 29 characters, column padding kept
    char code[3] = {};              ///< two letters
    double semiMajorAxis = 0.0;     ///< a, metres
    double semiMinorAxis = 0.0;     ///< b, metres (kept, never used)
    double inverseFlattening = 0.0; ///< 1/f
    int starred = 0;                ///< 1 if the row's name began with '*'
};

/// Builds the table once per process from the built-in rows; later calls
/// return 0 at once. A failed build leaves it unbuilt with count 0.
[[nodiscard]] int initEllipsoidTable();

/// 1-based index of the ellipsoid whose code equals the first two characters
/// of `code`, upper-cased. `index` is 0 on every failure.
[[nodiscard]] int findEllipsoid(std::string_view code, int& index);

/// Semi-major axis a (metres) and flattening f = 1/inverseFlattening of row
/// `index` (1-based). a and f are 0 on every failure.
[[nodiscard]] int getEllipsoidParameters(int index, double& a, double& f);

/// Number of rows; 0 while the table is unbuilt.
int ellipsoidCount();

/// Row `index` (1-based), or nullptr outside 1..ellipsoidCount().
const EllipsoidRow* ellipsoidRow(int index);

} // namespace kalimark
