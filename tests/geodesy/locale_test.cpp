// Runs in a process of its own under a German locale, as the program does
// once its GUI toolkit has adopted the user's locale: the tables must still
// read "6377397.155" as a number with decimals.
#include "ellipsoid_table.h"

#include <kalimark/kalimark.h>

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace kalimark {
namespace {

TEST(LocaleTest, TablesReadDecimalPointsUnderACommaLocale)
{
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no de_DE.UTF-8 locale here";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");

    cl_RefPoint hamburg;
    double a = 0.0, f = 0.0;
    ASSERT_EQ(getEllipsoidParameters(2, a, f), 0);
    EXPECT_EQ(a, 6377397.155);
    EXPECT_EQ(f, 1.0 / 299.1528128);

    hamburg.setRefPoint(IPoint{1, 1}, DPoint{9.99, 53.55});
    hamburg.setDatum(0, 2);
    int zone = 0;
    char letter = '?';
    IPoint en;
    hamburg.getRefPoint(zone, letter, en);
    EXPECT_EQ(en.x, 565582); // Bessel 1841, as in the C locale
    EXPECT_EQ(en.y, 5933299);
}

} // namespace
} // namespace kalimark
