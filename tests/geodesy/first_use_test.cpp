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
    int index = -1;
    EXPECT_EQ(findDatum("WGE", index), datum_bits::kNotBuilt);
    EXPECT_EQ(index, 0);
    index = -1;
    EXPECT_EQ(findEllipsoid("WE", index), ellipsoid_bits::kNotBuilt);
    EXPECT_EQ(index, 0);
    double a = -1.0;
    double f = -1.0;
    EXPECT_EQ(getEllipsoidParameters(4, a, f), ellipsoid_bits::kNotBuilt);
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(f, 0.0);
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
    EXPECT_EQ(point.datumIndex, 1);
    EXPECT_EQ(point.ellipsoidIndex, 4);
}

} // namespace
} // namespace kalimark
