// The built-in datum table. Rows carry their shift parameters, but no
// operation applies a shift: only the datum's ellipsoid enters a projection.
#pragma once

#include <string_view>

namespace kalimark {

/// Bits returned by the datum operations (0 = success).
namespace datum_bits {
inline constexpr int kNotBuilt = 0x1;        ///< lookup before the build
inline constexpr int kRowUnreadable = 0x2;   ///< a built-in row did not parse
inline constexpr int kSevenParamFull = 0x8;  ///< more than kMaxSevenParamDatums
inline constexpr int kThreeParamFull = 0x40; ///< more than kMaxThreeParamDatums
inline constexpr int kUnknownCode = 0x400;   ///< code longer than 6 or not found
inline constexpr int kBuildFailed = 0x8000;  ///< any of the above during a build
} // namespace datum_bits

inline constexpr int kMaxSevenParamDatums = 25;
inline constexpr int kMaxThreeParamDatums = 250;
inline constexpr int kMaxDatums = 2 + kMaxSevenParamDatums + kMaxThreeParamDatums;
inline constexpr std::size_t kMaxDatumCodeLength = 6;

enum class DatumType { ThreeParameter = 0, SevenParameter = 1, Wgs84 = 2, Wgs72 = 3 };

struct DatumRow {
    DatumType type = DatumType::ThreeParameter;
    char code[7] = {};          ///< at most 6 characters
    char name[33] = {};         ///< at most 32 characters
    char ellipsoidCode[3] = {}; ///< two letters
    /// dx, dy, dz (metres), rx, ry, rz (radians), scale term as written.
    /// Three-parameter, WGS 84 and WGS 72 rows: rotations 0, scale 1.0.
    double parameters[7] = {};
    double sigmaX = 0.0; ///< accuracy of dx, metres (-1 = unknown); 0 if not a three-parameter row
    double sigmaY = 0.0;
    double sigmaZ = 0.0;
    double westLongitude = 0.0; ///< area of use, radians
    double eastLongitude = 0.0;
    double southLatitude = 0.0;
    double northLatitude = 0.0;
    int threeParameterRow = 0; ///< 1 for rows of the three-parameter list
};

/// Builds the table once per process: WGS 84, WGS 72, the seven-parameter
/// rows, then the three-parameter rows. Later calls return 0 at once.
[[nodiscard]] int initDatumTable();

/// 1-based index of the datum with this code: upper-cased with white space
/// removed, after a length test on the code as given (at most 6 characters).
/// `index` is 0 on every failure.
[[nodiscard]] int findDatum(std::string_view code, int& index);

/// Number of rows (both fixed rows included); 0 while the table is unbuilt.
int datumCount();

/// Row `index` (1-based), or nullptr outside 1..datumCount().
const DatumRow* datumRow(int index);

} // namespace kalimark
