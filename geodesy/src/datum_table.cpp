#include "datum_table.h"

#include "angles.h"
#include "ascii.h"
#include "build_once.h"
#include "row_reader.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace kalimark {

namespace {

// Code, "name", ellipsoid, dx dy dz (m), rx ry rz (arc-seconds), scale term.
constexpr std::array<std::string_view, 1> kSevenParamRows = {
    R"row(EUR-7 "EUROPEAN 1950, Mean (7 Param)"  IN  -102  -102  -129  0.413 -0.184  0.385    0.0000024664)row",
};

// Code, "name", ellipsoid, dx sigma dy sigma dz sigma (m),
// south north west east (degrees).
constexpr std::array<std::string_view, 1> kThreeParamRows = {
    R"row(DHDN   "Potsdam Datum"                  BR  587   -1   16   -1   393   -1   47   55    6   24 )row",
};

/// One arc-second in radians (1/206264.8062471).
constexpr double kArcSecond = 4.848136811095274e-6;

std::array<DatumRow, 2> g_fixedRows;
std::array<DatumRow, kMaxSevenParamDatums> g_sevenRows;
std::array<DatumRow, kMaxThreeParamDatums> g_threeRows;
// Row references, so the 1-based index runs across all groups without gaps.
std::array<const DatumRow*, kMaxDatums> g_index = {};
int g_sevenCount = 0;
int g_threeCount = 0;
int g_count = 0;
std::atomic<bool> g_built{false};
std::mutex g_buildMutex;

void setWholeEarth(DatumRow& row)
{
    row.westLongitude = -kPi;
    row.eastLongitude = kPi;
    row.southLatitude = -kHalfPi;
    row.northLatitude = kHalfPi;
}

[[nodiscard]] bool parseSevenParamRow(std::string_view text, DatumRow& row)
{
    RowReader r(text);
    double* p = row.parameters;
    if (!(r.word(row.code, sizeof row.code) && r.quoted(row.name, sizeof row.name) &&
          r.word(row.ellipsoidCode, sizeof row.ellipsoidCode) && r.number(p[0]) && r.number(p[1]) && r.number(p[2]) &&
          r.number(p[3]) && r.number(p[4]) && r.number(p[5]) && r.number(p[6])))
        return false;
    row.type = DatumType::SevenParameter;
    for (int i = 3; i < 6; ++i)
        p[i] *= kArcSecond;
    setWholeEarth(row);
    return true;
}

[[nodiscard]] bool parseThreeParamRow(std::string_view text, DatumRow& row)
{
    RowReader r(text);
    double* p = row.parameters;
    if (!(r.word(row.code, sizeof row.code) && r.quoted(row.name, sizeof row.name) &&
          r.word(row.ellipsoidCode, sizeof row.ellipsoidCode) && r.number(p[0]) && r.number(row.sigmaX) &&
          r.number(p[1]) && r.number(row.sigmaY) && r.number(p[2]) && r.number(row.sigmaZ) &&
          r.number(row.southLatitude) && r.number(row.northLatitude) && r.number(row.westLongitude) &&
          r.number(row.eastLongitude)))
        return false;
    row.type = DatumType::ThreeParameter;
    row.threeParameterRow = 1;
    p[6] = 1.0;
    row.southLatitude *= kDegToRad;
    row.northLatitude *= kDegToRad;
    row.westLongitude *= kDegToRad;
    row.eastLongitude *= kDegToRad;
    return true;
}

template <std::size_t N> void copyText(char (&out)[N], std::string_view text)
{
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.begin(), length, out);
    out[length] = '\0';
}

DatumRow fixedRow(DatumType type, std::string_view code, std::string_view name, std::string_view ellipsoidCode)
{
    DatumRow row;
    row.type = type;
    copyText(row.code, code);
    copyText(row.name, name);
    copyText(row.ellipsoidCode, ellipsoidCode);
    row.parameters[6] = 1.0;
    setWholeEarth(row);
    return row;
}

template <std::size_t Rows, std::size_t Capacity, typename Parse>
[[nodiscard]] int readRows(const std::array<std::string_view, Rows>& texts, std::array<DatumRow, Capacity>& rows,
                           int& count, int fullBit, Parse parse)
{
    int bits = 0;
    count = 0;
    for (const std::string_view text : texts) {
        if (count == static_cast<int>(Capacity)) {
            bits |= fullBit;
            continue;
        }
        DatumRow row;
        if (!parse(text, row)) {
            bits |= datum_bits::kRowUnreadable;
            continue;
        }
        rows[static_cast<std::size_t>(count++)] = row;
    }
    return bits;
}

[[nodiscard]] int build()
{
    int bits = readRows(kSevenParamRows, g_sevenRows, g_sevenCount, datum_bits::kSevenParamFull, parseSevenParamRow);
    bits |= readRows(kThreeParamRows, g_threeRows, g_threeCount, datum_bits::kThreeParamFull, parseThreeParamRow);
    if (bits != 0) {
        g_count = 0;
        return bits | datum_bits::kBuildFailed;
    }
    g_fixedRows[0] = fixedRow(DatumType::Wgs84, "WGE", "World Geodetic System 1984", "WE");
    g_fixedRows[1] = fixedRow(DatumType::Wgs72, "WGC", "World Geodetic System 1972", "WD");
    std::size_t n = 0;
    for (const DatumRow& row : g_fixedRows)
        g_index[n++] = &row;
    for (int i = 0; i < g_sevenCount; ++i)
        g_index[n++] = &g_sevenRows[static_cast<std::size_t>(i)];
    for (int i = 0; i < g_threeCount; ++i)
        g_index[n++] = &g_threeRows[static_cast<std::size_t>(i)];
    g_count = static_cast<int>(n);
    return 0;
}

} // namespace

int initDatumTable()
{
    return buildOnce(g_built, g_buildMutex, build);
}

int findDatum(std::string_view code, int& index)
{
    index = 0;
    if (!g_built.load(std::memory_order_acquire))
        return datum_bits::kNotBuilt;
    if (code.size() > kMaxDatumCodeLength)
        return datum_bits::kUnknownCode;
    char key[kMaxDatumCodeLength + 1] = {};
    std::size_t length = 0;
    for (const char c : code) {
        if (!isAsciiSpace(c))
            key[length++] = toAsciiUpper(c);
    }
    for (int i = 0; i < g_count; ++i) {
        if (std::strcmp(g_index[static_cast<std::size_t>(i)]->code, key) == 0) {
            index = i + 1;
            return 0;
        }
    }
    return datum_bits::kUnknownCode;
}

int datumCount()
{
    return g_built.load(std::memory_order_acquire) ? g_count : 0;
}

const DatumRow* datumRow(int index)
{
    if (index < 1 || index > datumCount())
        return nullptr;
    return g_index[static_cast<std::size_t>(index - 1)];
}

} // namespace kalimark
