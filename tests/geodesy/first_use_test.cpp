// Runs in a process of its own: the tables are unbuilt when it starts.
#include "datum_table.h"
#include "ellipsoid_table.h"

#include <kalimark/kalimark.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace kalimark {
namespace {

TEST(FirstUseTest, LookupsFailBeforeTheTablesAreBuilt)
{
    int datum = -1, ellipsoid = -1;
    double a = -1.0, f = -1.0;
    EXPECT_EQ(findDatum("WGE", datum), datum_bits::kNotBuilt);
    EXPECT_EQ(findEllipsoid("WE", ellipsoid), ellipsoid_bits::kNotBuilt);
    EXPECT_EQ(getEllipsoidParameters(4, a, f), ellipsoid_bits::kNotBuilt);
    EXPECT_TRUE(datum == 0 && ellipsoid == 0 && a == 0.0 && f == 0.0);
    EXPECT_EQ(datumCount(), 0);
}

TEST(FirstUseTest, ConcurrentFirstBuildsAgree)
{
    // Only the table builds are guarded; the UTM settings that a
    // construction also resets are meant for one thread.
    std::vector<std::thread> threads;
    std::vector<int> results(8, -1);
    for (std::size_t i = 0; i < results.size(); ++i)
        threads.emplace_back([&results, i] { results[i] = initDatumTable() | initEllipsoidTable(); });
    for (std::thread& t : threads)
        t.join();
    for (const int bits : results)
        EXPECT_EQ(bits, 0);
    EXPECT_EQ(datumCount(), 4);
    EXPECT_EQ(ellipsoidCount(), 4);

    const cl_RefPoint point;
    EXPECT_TRUE(point.datumIndex == 1 && point.ellipsoidIndex == 4);
}

} // namespace
} // namespace kalimark
