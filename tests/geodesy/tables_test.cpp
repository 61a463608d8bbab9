// The built-in ellipsoid and datum tables: parsing, lookups, failure codes.
#include "angles.h"
#include "datum_table.h"
#include "ellipsoid_table.h"

#include <gtest/gtest.h>

#include <string>

namespace kalimark {
namespace {

class TablesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_EQ(initDatumTable(), 0);
        ASSERT_EQ(initEllipsoidTable(), 0);
    }
};

struct Lookup {
    const char* code;
    int bits, index;
};

TEST_F(TablesTest, CodeLookups)
{
    // Datum codes are upper-cased and stripped of white space after a length
    // test on the code as given: " DHDN  " has seven characters.
    const Lookup datums[] = {{"WGE", 0, 1},         {"WGC", 0, 2},     {"EUR-7", 0, 3},    {"DHDN", 0, 4},
                             {"dhdn", 0, 4},        {" DHDN ", 0, 4},  {"\tDHDN\r", 0, 4}, {" DHDN  ", 0x400, 0},
                             {"ABCDEFG", 0x400, 0}, {"XYZ", 0x400, 0}, {"DHD", 0x400, 0},  {"", 0x400, 0}};
    // Ellipsoid codes compare their first two letters, upper-cased.
    const Lookup ellipsoids[] = {{"IN", 0, 1}, {"BR", 0, 2},  {"WD", 0, 3},   {"WE", 0, 4},
                                 {"we", 0, 4}, {"WEX", 0, 4}, {"W", 0x20, 0}, {"ZZ", 0x20, 0}};
    const auto check = [](auto find, const auto& cases) {
        for (const Lookup& c : cases) {
            int index = -1;
            EXPECT_EQ(find(c.code, index), c.bits) << '"' << c.code << '"';
            EXPECT_EQ(index, c.index) << '"' << c.code << '"';
        }
    };
    check(findDatum, datums);
    check(findEllipsoid, ellipsoids);
}

TEST_F(TablesTest, EllipsoidParametersAndNames)
{
    double a = -1.0, f = -1.0;
    EXPECT_EQ(getEllipsoidParameters(2, a, f), 0);
    EXPECT_EQ(a, 6377397.155);
    EXPECT_EQ(f, 1.0 / 299.1528128);
    for (const int bad : {0, 5}) {
        EXPECT_EQ(getEllipsoidParameters(bad, a, f), ellipsoid_bits::kBadIndex);
        EXPECT_TRUE(a == 0.0 && f == 0.0);
    }
    ASSERT_EQ(ellipsoidCount(), 4);
    // 29 characters of the name column, padding included.
    EXPECT_EQ(std::string(ellipsoidRow(2)->name), "Bessel 1841" + std::string(18, ' '));
}

TEST_F(TablesTest, DatumRowsInTheirGroupsWithConvertedUnits)
{
    ASSERT_EQ(datumCount(), 4);
    const DatumRow& eur = *datumRow(3);
    EXPECT_EQ(std::string(eur.name), "EUROPEAN 1950, Mean (7 Param)");
    // 0.413", -0.184", 0.385" in radians; the scale term as written.
    EXPECT_NEAR(eur.parameters[3], 2.0023e-6, 1e-10);
    EXPECT_NEAR(eur.parameters[4], -8.9206e-7, 1e-11);
    EXPECT_NEAR(eur.parameters[5], 1.8665e-6, 1e-10);
    EXPECT_EQ(eur.parameters[6], 0.0000024664);
    EXPECT_EQ(eur.threeParameterRow, 0);

    const DatumRow& dhdn = *datumRow(4);
    EXPECT_EQ(std::string(dhdn.name), "Potsdam Datum");
    EXPECT_TRUE(dhdn.parameters[1] == 16.0 && dhdn.parameters[2] == 393.0 && dhdn.sigmaZ == -1.0);
    EXPECT_EQ(dhdn.parameters[6], 1.0);
    EXPECT_EQ(dhdn.southLatitude, 47.0 * kDegToRad);
    EXPECT_EQ(dhdn.eastLongitude, 24.0 * kDegToRad);
    EXPECT_EQ(dhdn.threeParameterRow, 1);

    // A second build changes nothing.
    EXPECT_EQ(initDatumTable() | initEllipsoidTable(), 0);
    EXPECT_EQ(datumRow(3), &eur);
    EXPECT_EQ(datumCount(), 4);
}

} // namespace
} // namespace kalimark
