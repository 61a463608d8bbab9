// The lines of a calibration file: its key table and the reference-point
// line "REFERENCE_POINT: (x,y) (9°59.250'O, 53°33.125'N)".
#pragma once

#include <kalimark/kalimark.h>

#include <array>
#include <string_view>

namespace rovanta {

/// A key with the value a calibration file of our kind carries for it. The
/// reader never compares values; writers of new files may use them.
struct CalKey {
    std::string_view key;
    std::string_view usualValue;
};

enum CalKeyIndex : int {
    kCalKeyType = 0,
    kCalKeyName = 1,
    kCalKeyDate = 2,
    kCalKeyVisible = 3,
    kCalKeyReferencePoint = 4,
    kCalKeyReferenceType = 5,
    kCalKeyHeightDiff = 6,
    kCalKeyProjection = 7,
    kCalKeyEllipsoid = 8,
    kCalKeyFilename = 9,
};

/// In matching order: the first key that starts a line wins.
inline constexpr std::array<CalKey, 10> kCalKeys{{
    {"TYPE:", "RASTERMAP"},
    {"NAME:", ""},
    {"DATE:", ""},
    {"VISIBLE:", "YES"},
    {"REFERENCE_POINT:", ""},
    {"REFERENCE_TYPE:", "BILINEAR_GEOGRAPHIC"},
    {"HEIGHTDIFF:", "0"},
    {"PROJECTION:", "UTM"},
    {"ELLIPSOID:", "WGS84"},
    {"FILENAME:", ""},
}};

/// Index of the first key that starts `line` (case-sensitive, column one),
/// or -1 when none does.
int matchCalKey(std::string_view line);

/// The text behind the line's first colon, without surrounding blanks.
std::string_view calValue(std::string_view line);

/// A reference point as the line gives it, each pair (longitude, latitude).
struct CalReferencePoint {
    IPoint sign{1, 1};            ///< +1 for 'N', 'E' and 'O' (German "Ost"), else -1
    IPoint degrees;               ///< whole degrees
    DPoint minutes;               ///< decimal minutes
    IPoint pixel;                 ///< x from the left edge, y up from the bottom edge
    std::array<char, 2> letter{}; ///< the hemisphere letters as written; '\0' when missing
};

/// True for the letters a hemisphere is written with: N, E, O, S and W.
bool isHemisphereLetter(char letter);

/// Parses a "REFERENCE_POINT:" line leniently: a missing separator leaves
/// the rest of the text as it is, numbers without digits read as 0, and a
/// missing or unknown hemisphere letter counts as negative (the caller
/// reports it). The degree sign may be the Latin-1 byte 0xB0 or its UTF-8
/// form.
CalReferencePoint parseReferencePoint(std::string_view line);

} // namespace rovanta
