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

struct LookupCase {
    std::string name;
    std::string code;
    int bits;
    int index;
};

class DatumLookupTest : public TablesTest, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(DatumLookupTest, FindsByNormalisedCode)
{
    int index = -1;
    EXPECT_EQ(findDatum(GetParam().code, index), GetParam().bits);
    EXPECT_EQ(index, GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Codes, DatumLookupTest,
                         ::testing::Values(LookupCase{"Wgs84", "WGE", 0, 1}, LookupCase{"Wgs72", "WGC", 0, 2},
                                           LookupCase{"European1950", "EUR-7", 0, 3},
                                           LookupCase{"Potsdam", "DHDN", 0, 4}, LookupCase{"LowerCase", "dhdn", 0, 4},
                                           LookupCase{"PaddedToSix", " DHDN ", 0, 4},
                                           LookupCase{"TabAndReturn", "\tDHDN\r", 0, 4},
                                           // The length test comes before the blanks are removed.
                                           LookupCase{"PaddedToSeven", " DHDN  ", datum_bits::kUnknownCode, 0},
                                           LookupCase{"SevenLetters", "ABCDEFG", datum_bits::kUnknownCode, 0},
                                           LookupCase{"Unknown", "XYZ", datum_bits::kUnknownCode, 0},
                                           LookupCase{"Empty", "", datum_bits::kUnknownCode, 0},
                                           LookupCase{"Prefix", "DHD", datum_bits::kUnknownCode, 0}),
                         [](const auto& info) { return info.param.name; });

class EllipsoidLookupTest : public TablesTest, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(EllipsoidLookupTest, FindsByFirstTwoLetters)
{
    int index = -1;
    EXPECT_EQ(findEllipsoid(GetParam().code, index), GetParam().bits);
    EXPECT_EQ(index, GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Codes, EllipsoidLookupTest,
                         ::testing::Values(LookupCase{"International", "IN", 0, 1}, LookupCase{"Bessel", "BR", 0, 2},
                                           LookupCase{"Wgs72", "WD", 0, 3}, LookupCase{"Wgs84", "WE", 0, 4},
                                           LookupCase{"LowerCase", "we", 0, 4},
                                           LookupCase{"ThirdLetterIgnored", "WEX", 0, 4},
                                           LookupCase{"OneLetter", "W", ellipsoid_bits::kUnknownCode, 0},
                                           LookupCase{"Unknown", "ZZ", ellipsoid_bits::kUnknownCode, 0},
                                           LookupCase{"Empty", "", ellipsoid_bits::kUnknownCode, 0}),
                         [](const auto& info) { return info.param.name; });

TEST_F(TablesTest, EllipsoidParameters)
{
    double a = -1.0;
    double f = -1.0;
    EXPECT_EQ(getEllipsoidParameters(2, a, f), 0);
    EXPECT_EQ(a, 6377397.155);
    EXPECT_EQ(f, 1.0 / 299.1528128);
    EXPECT_EQ(getEllipsoidParameters(4, a, f), 0);
    EXPECT_EQ(a, 6378137.0);
    EXPECT_EQ(f, 1.0 / 298.257223563);

    for (const int bad : {0, 5, -1}) {
        a = -1.0;
        f = -1.0;
        EXPECT_EQ(getEllipsoidParameters(bad, a, f), ellipsoid_bits::kBadIndex) << bad;
        EXPECT_EQ(a, 0.0);
        EXPECT_EQ(f, 0.0);
    }
}

TEST_F(TablesTest, EllipsoidRowsKeepTheirColumnPadding)
{
    ASSERT_EQ(ellipsoidCount(), 4);
    const EllipsoidRow* bessel = ellipsoidRow(2);
    ASSERT_NE(bessel, nullptr);
    EXPECT_EQ(std::string(bessel->name), "Bessel 1841" + std::string(18, ' '));
    EXPECT_EQ(std::string(bessel->code), "BR");
    EXPECT_EQ(bessel->semiMinorAxis, 6356078.9630);
    EXPECT_EQ(bessel->starred, 0);
    EXPECT_EQ(std::string(ellipsoidRow(1)->name).substr(0, 18), "International 1924");
    EXPECT_EQ(ellipsoidRow(4)->inverseFlattening, 298.257223563);
    EXPECT_EQ(ellipsoidRow(5), nullptr);
}

TEST_F(TablesTest, DatumRowsAreOrderedAndComplete)
{
    ASSERT_EQ(datumCount(), 4);
    EXPECT_EQ(sevenParamDatumCount(), 1);
    EXPECT_EQ(threeParamDatumCount(), 1);

    const DatumRow* wgs84 = datumRow(1);
    EXPECT_EQ(wgs84->type, DatumType::Wgs84);
    EXPECT_EQ(std::string(wgs84->name), "World Geodetic System 1984");
    EXPECT_EQ(std::string(wgs84->ellipsoidCode), "WE");
    EXPECT_EQ(wgs84->parameters[6], 1.0);
    EXPECT_EQ(wgs84->westLongitude, -kPi);
    EXPECT_EQ(wgs84->northLatitude, kHalfPi);
    EXPECT_EQ(datumRow(2)->type, DatumType::Wgs72);
    EXPECT_EQ(std::string(datumRow(2)->ellipsoidCode), "WD");
    EXPECT_EQ(datumRow(5), nullptr);
    EXPECT_EQ(datumRow(0), nullptr);
}

TEST_F(TablesTest, SevenParameterRowConvertsArcSeconds)
{
    const DatumRow* eur = datumRow(3);
    EXPECT_EQ(eur->type, DatumType::SevenParameter);
    EXPECT_EQ(std::string(eur->name), "EUROPEAN 1950, Mean (7 Param)");
    EXPECT_EQ(std::string(eur->ellipsoidCode), "IN");
    EXPECT_EQ(eur->parameters[0], -102.0);
    EXPECT_EQ(eur->parameters[2], -129.0);
    // Arc-seconds in radians: 0.413", -0.184", 0.385".
    EXPECT_NEAR(eur->parameters[3], 2.0023e-6, 1e-10);
    EXPECT_NEAR(eur->parameters[4], -8.9206e-7, 1e-11);
    EXPECT_NEAR(eur->parameters[5], 1.8665e-6, 1e-10);
    EXPECT_EQ(eur->parameters[6], 0.0000024664);
    EXPECT_EQ(eur->sigmaX, 0.0);
    EXPECT_EQ(eur->threeParameterRow, 0);
    EXPECT_EQ(eur->southLatitude, -kHalfPi);
}

TEST_F(TablesTest, ThreeParameterRowReadsShiftsAccuraciesAndArea)
{
    const DatumRow* dhdn = datumRow(4);
    EXPECT_EQ(dhdn->type, DatumType::ThreeParameter);
    EXPECT_EQ(std::string(dhdn->name), "Potsdam Datum");
    EXPECT_EQ(std::string(dhdn->ellipsoidCode), "BR");
    EXPECT_EQ(dhdn->parameters[0], 587.0);
    EXPECT_EQ(dhdn->parameters[1], 16.0);
    EXPECT_EQ(dhdn->parameters[2], 393.0);
    EXPECT_EQ(dhdn->parameters[3], 0.0);
    EXPECT_EQ(dhdn->parameters[6], 1.0);
    EXPECT_EQ(dhdn->sigmaX, -1.0);
    EXPECT_EQ(dhdn->sigmaZ, -1.0);
    EXPECT_EQ(dhdn->southLatitude, 47.0 * 0.017453292519943295);
    EXPECT_EQ(dhdn->northLatitude, 55.0 * 0.017453292519943295);
    EXPECT_EQ(dhdn->westLongitude, 6.0 * 0.017453292519943295);
    EXPECT_EQ(dhdn->eastLongitude, 24.0 * 0.017453292519943295);
    EXPECT_EQ(dhdn->threeParameterRow, 1);
}

TEST_F(TablesTest, RebuildingChangesNothing)
{
    const DatumRow* before = datumRow(3);
    EXPECT_EQ(initDatumTable(), 0);
    EXPECT_EQ(initEllipsoidTable(), 0);
    EXPECT_EQ(datumCount(), 4);
    EXPECT_EQ(ellipsoidCount(), 4);
    EXPECT_EQ(datumRow(3), before);
}

} // namespace
} // namespace kalimark
