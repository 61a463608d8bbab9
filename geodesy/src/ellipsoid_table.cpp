#include "ellipsoid_table.h"

#include "ascii.h"
#include "build_once.h"
#include "row_reader.h"

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace kalimark {

namespace {

// Name in the first 31 columns, then code, a, b and 1/f.
constexpr std::array<std::string_view, 4> kRows = {
    "International 1924             IN 6378388.000 6356911.9460 297.000000000",
    "Bessel 1841                    BR 6377397.155 6356078.9630 299.152812800",
    "WGS 72                         WD 6378135.000 6356750.5200 298.260000000",
    "WGS 84                         WE 6378137.000 6356752.3142 298.257223563",
};

constexpr std::size_t kNameField = 30;  // characters taken for the name
constexpr std::size_t kNameLength = 29; // characters kept of it

std::array<EllipsoidRow, kMaxEllipsoids> g_rows;
int g_count = 0;
std::atomic<bool> g_built{false};
std::mutex g_buildMutex;

[[nodiscard]] bool parseRow(std::string_view text, EllipsoidRow& row)
{
    RowReader reader(text);
    char field[kNameField + 1] = {};
    if (!reader.chars(field, kNameField))
        return false;
    row.starred = field[0] == '*' ? 1 : 0;
    if (row.starred) {
        // Drop the star; the name field takes one more column of the row.
        std::memmove(field, field + 1, kNameField - 1);
        field[kNameField - 1] = text.size() > kNameField ? text[kNameField] : '\0';
    }
    std::memcpy(row.name, field, kNameLength);
    row.name[kNameLength] = '\0';
    return reader.word(row.code, sizeof row.code) && reader.number(row.semiMajorAxis) &&
           reader.number(row.semiMinorAxis) && reader.number(row.inverseFlattening);
}

[[nodiscard]] int build()
{
    int bits = 0;
    int count = 0;
    for (const std::string_view text : kRows) {
        if (count == kMaxEllipsoids) {
            bits |= ellipsoid_bits::kTableFull;
            continue;
        }
        EllipsoidRow row;
        if (!parseRow(text, row)) {
            bits |= ellipsoid_bits::kRowUnreadable;
            continue;
        }
        g_rows[static_cast<std::size_t>(count++)] = row;
    }
    g_count = bits == 0 ? count : 0;
    return bits;
}

} // namespace

int initEllipsoidTable()
{
    return buildOnce(g_built, g_buildMutex, build);
}

int findEllipsoid(std::string_view code, int& index)
{
    index = 0;
    if (!g_built.load(std::memory_order_acquire))
        return ellipsoid_bits::kNotBuilt;
    // Only the first two characters count.
    char key[3] = {};
    for (std::size_t i = 0; i < 2 && i < code.size(); ++i)
        key[i] = toAsciiUpper(code[i]);
    for (int i = 0; i < g_count; ++i) {
        if (std::strcmp(g_rows[static_cast<std::size_t>(i)].code, key) == 0) {
            index = i + 1;
            return 0;
        }
    }
    return ellipsoid_bits::kUnknownCode;
}

int getEllipsoidParameters(int index, double& a, double& f)
{
    a = 0.0;
    f = 0.0;
    if (!g_built.load(std::memory_order_acquire))
        return ellipsoid_bits::kNotBuilt;
    const EllipsoidRow* row = ellipsoidRow(index);
    if (row == nullptr)
        return ellipsoid_bits::kBadIndex;
    a = row->semiMajorAxis;
    f = 1.0 / row->inverseFlattening;
    return 0;
}

int ellipsoidCount()
{
    return g_built.load(std::memory_order_acquire) ? g_count : 0;
}

const EllipsoidRow* ellipsoidRow(int index)
{
    if (index < 1 || index > ellipsoidCount())
        return nullptr;
    return &g_rows[static_cast<std::size_t>(index - 1)];
}

} // namespace kalimark
