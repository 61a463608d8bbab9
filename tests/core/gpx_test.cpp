// Tours out to GPX, KML and CSV, and GPX files in, down to simplified tours.
#include "common/text_convert.h"
#include "app/command_line.h"
#include "gpx/distances_csv.h"
#include "gpx/gpx_read.h"
#include "gpx/gpx_write.h"
#include "editing/recent_tours.h"
#include "gpx/simplify.h"
#include "editing/tour_transfer.h"
#include "memory_settings.h"
#include "temp_folder.h"
#include "tour/cl_tour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <sstream>
#include <tuple>

namespace {
using namespace rovanta;

std::string seven(double degrees)
{
    return formatFixed(degrees, 0, 7);
}

std::string nameOf(const auto& info)
{
    return info.param.name;
}

// ---- export, and our own import of it ----

struct RoundTripRow {
    const char* name;
    std::vector<GeoPoint> points;
};

class GpxRoundTrip : public testing::TestWithParam<RoundTripRow> {};

TEST_P(GpxRoundTrip, TourComesBackWithItsPointsAndRemarks)
{
    cl_Tour tour("Über & <Alm>", 0);
    appendToTour(tour, GetParam().points);
    const std::string text = gpxText(tour.name(), tourPoints(tour), {"2024-05-01T08:00:00Z", true});

    const GpxContent read = parseGpx(text);
    ASSERT_TRUE(read.ok()) << read.problem;
    ASSERT_EQ(read.paths.size(), 2u) << "the route and the same points as a track";
    for (const GeoPath& path : read.paths) {
        EXPECT_EQ(path.name, tour.name());
        ASSERT_EQ(path.points.size(), GetParam().points.size());
        for (std::size_t i = 0; i < path.points.size(); ++i) {
            const GeoPoint& want = GetParam().points[i];
            EXPECT_EQ(seven(path.points[i].latitude), seven(want.latitude)) << i;
            EXPECT_EQ(seven(path.points[i].longitude), seven(want.longitude)) << i;
            EXPECT_EQ(path.points[i].remark, want.remark) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Gpx, GpxRoundTrip,
    testing::Values(RoundTripRow{"SevenDecimals", {{47.4211234, 10.9854321, ""}, {-33.8688001, -151.2093009, ""}}},
                    RoundTripRow{"MarkupInRemarks", {{1, 2, "a & b < c > \"d\" 'e'"}, {3, 4, "]]> &amp;"}}},
                    RoundTripRow{"Utf8Remarks",
                                 {{46.5, 8.0,
                                   "Gipfelkreuz \xE2\x80\x93 Blick \xC3\xBC"
                                   "ber M\xC3\xBCnchen"}}},
                    RoundTripRow{"NumberLikeRemarkStays", {{0, 0, "7"}, {0, 1, "Hut 1"}}},
                    RoundTripRow{"Extremes", {{90, 180, "N"}, {-90, -180, "S"}, {0, 0, ""}}}),
    [](const auto& info) { return nameOf(info); });

TEST(GpxExport, RouteLayout)
{
    const std::string text = gpxText("T", {{-33.8688, 151.2093, "Quay"}, {1, 2, ""}}, {"2024-05-01T08:00:00Z", false});
    for (const char* part :
         {"<gpx version=\"1.1\" creator=\"Rovanta\" xmlns=\"http://www.topografix.com/GPX/1/1\"",
          "<metadata>\n    <name>T</name>\n    <time>2024-05-01T08:00:00Z</time>",
          "<rtept lat=\"-33.8688000\" lon=\"151.2093000\">\n      <name>0</name>\n      <desc>Quay</desc>",
          "<rtept lat=\"1.0000000\" lon=\"2.0000000\">\n      <name>1</name>\n    </rtept>"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    EXPECT_EQ(text.find("<trk>"), std::string::npos);
    EXPECT_EQ(isoUtcTime(std::chrono::system_clock::time_point(std::chrono::seconds(1714550400))),
              "2024-05-01T08:00:00Z");
}

TEST(KmlExport, LineAndEscapedPlacemarks)
{
    const std::string text = kmlText("A&B", {{48.1, 11.5, "x < y & \"z\""}, {-33, 12, ""}});
    for (const char* part :
         {"<name>A&amp;B</name>", "<coordinates>11.5000000,48.1000000,0 12.0000000,-33.0000000,0</coordinates>",
          "<name>0</name>\n      <description>x &lt; y &amp; \"z\"</description>", "<name>1</name>\n      <Point>"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}

TEST(DistancesCsv, QuotedRowsWithFormatCells)
{
    cl_Tour tour("T", 0);
    appendToTour(tour, {{53.55, 9.983333, "Hafen, \"Elbe\""}, {53.56, 9.983333, ""}});
    EXPECT_EQ(distancesCsv(tour, kDecimalDegree),
              "\xEF\xBB\xBF"
              "Number,Latitude,Longitude,Longitude (dec. Degree),Latitude (dec. Degree),Leg km,Total km,Remark\r\n"
              "0,53.5500000,9.9833330,9.983333\xC2\xB0 E,53.550000\xC2\xB0 N,0.000,0.000,\"Hafen, \"\"Elbe\"\"\"\r\n"
              "1,53.5600000,9.9833330,9.983333\xC2\xB0 E,53.560000\xC2\xB0 N,1.111,1.111,\r\n");
    EXPECT_EQ(csvField("two\r\nlines"), "\"two\r\nlines\"");
}

// ---- import ----

constexpr const char* kHead =
    "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";

struct HostileRow {
    const char* name;
    std::string content;
    GpxFailure failure;
    const char* problem; ///< part of the message
    std::size_t limit = kGpxSizeLimit;
};

class GpxHostile : public testing::TestWithParam<HostileRow> {};

TEST_P(GpxHostile, FailsWithItsReason)
{
    const auto start = std::chrono::steady_clock::now();
    const GpxContent read = parseGpx(GetParam().content, GetParam().limit);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_EQ(read.failure, GetParam().failure) << read.problem;
    EXPECT_NE(read.problem.find(GetParam().problem), std::string::npos) << read.problem;
    EXPECT_TRUE(read.paths.empty());
}

std::string billionLaughs()
{
    std::string doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [\n<!ENTITY l0 \"lol\">\n";
    for (int i = 1; i < 10; ++i)
        doc += "<!ENTITY l" + std::to_string(i) + " \"" + [&] {
            std::string refs;
            for (int k = 0; k < 10; ++k)
                refs += "&l" + std::to_string(i - 1) + ";";
            return refs;
        }() + "\">\n";
    return doc + "]>\n<gpx xmlns=\"http://www.topografix.com/GPX/1/1\"><wpt lat=\"1\" "
                 "lon=\"2\"><name>&l9;</name></wpt></gpx>";
}

const std::string kGoodRoute = std::string(kHead) + "<rte><rtept lat=\"1\" lon=\"2\"/></rte>\n</gpx>\n";

INSTANTIATE_TEST_SUITE_P(
    Gpx, GpxHostile,
    testing::Values(
        HostileRow{"Empty", "", GpxFailure::notXml, "not well-formed XML"},
        HostileRow{"NotXml", "lat,lon\n1,2\n", GpxFailure::notXml, "not well-formed XML"},
        HostileRow{"Truncated", kGoodRoute.substr(0, kGoodRoute.size() - 12), GpxFailure::notXml, "at line 3"},
        HostileRow{"WrongRoot", "<kml><rte/></kml>", GpxFailure::notGpx, "root element is <kml>"},
        HostileRow{"WrongNamespace", "<gpx xmlns=\"http://example.org/gpx\"/>", GpxFailure::notGpx, "namespace"},
        HostileRow{"MissingLat", std::string(kHead) + "<rte>\n<rtept lon=\"2\"/></rte></gpx>", GpxFailure::badPoint,
                   "<rtept> at line 4, column 1 has no lat"},
        HostileRow{"Latitude91", std::string(kHead) + "<wpt lat=\"91\" lon=\"2\"/></gpx>", GpxFailure::badPoint,
                   "lat 91 is outside -90 to 90"},
        HostileRow{"Longitude181",
                   std::string(kHead) + "<trk><trkseg><trkpt lat=\"1\" lon=\"-180.5\"/></trkseg></trk></gpx>",
                   GpxFailure::badPoint, "lon -180.5 is outside -180 to 180"},
        HostileRow{"CommaDecimal", std::string(kHead) + "<wpt lat=\"1,5\" lon=\"2\"/></gpx>", GpxFailure::badPoint,
                   "lat \"1,5\" is not a number"},
        HostileRow{"NotANumber", std::string(kHead) + "<wpt lat=\"nan\" lon=\"2\"/></gpx>", GpxFailure::badPoint,
                   "is not a number"},
        HostileRow{"BillionLaughs", billionLaughs(), GpxFailure::doctype, "document type"},
        HostileRow{"LargerThanLimit", kGoodRoute, GpxFailure::tooLarge, "larger than 64 bytes", 64},
        HostileRow{"NoPoints", std::string(kHead) + "<rte><name>x</name></rte><trk/></gpx>", GpxFailure::noPoints,
                   "no route, track or waypoint"}),
    [](const auto& info) { return nameOf(info); });

struct ProducerRow {
    const char* name;
    std::string content;
    std::vector<std::tuple<GeoPathKind, std::string, std::size_t>> candidates;
    std::vector<std::string> firstRemarks;
};

class GpxProducers : public testing::TestWithParam<ProducerRow> {};

TEST_P(GpxProducers, ListsPathsAndRemarks)
{
    const GpxContent read = parseGpx(GetParam().content);
    ASSERT_TRUE(read.ok()) << read.problem;
    std::vector<std::tuple<GeoPathKind, std::string, std::size_t>> listed;
    for (const GpxCandidate& candidate : gpxCandidates(read))
        listed.emplace_back(candidate.kind, candidate.name, candidate.pointCount);
    EXPECT_EQ(listed, GetParam().candidates);
    std::vector<std::string> remarks;
    for (const GeoPoint& point : read.paths.front().points)
        remarks.push_back(point.remark);
    EXPECT_EQ(remarks, GetParam().firstRemarks);
}

INSTANTIATE_TEST_SUITE_P(
    Gpx, GpxProducers,
    testing::Values(
        ProducerRow{"Gpx10",
                    "<gpx version=\"1.0\" xmlns=\"http://www.topografix.com/GPX/1/0\"><name>Trip</name>"
                    "<wpt lat=\"1\" lon=\"2\"><name>Hut</name><cmt>water</cmt><desc>water</desc></wpt>"
                    "<rte><name>R</name><rtept lat=\"1\" lon=\"2\"><name>1</name></rtept>"
                    "<rtept lat=\"3\" lon=\"4\"><name>Pass</name><desc>steep\n  and   loose</desc></rtept></rte></gpx>",
                    {{GeoPathKind::route, "R", 2}, {GeoPathKind::waypoints, "Trip", 1}},
                    {"", "Pass - steep and loose"}},
        ProducerRow{"DeviceTrackWithExtensions",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><gpx xmlns=\"http://www.topografix.com/GPX/1/1\" "
                    "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\" creator=\"eTrex\">"
                    "<metadata><time>2024-05-01T08:00:00Z</time></metadata><trk><name>Morning</name>"
                    "<extensions><gpxx:TrackExtension xmlns:gpxx=\"x\"><gpxx:DisplayColor>Red</gpxx:DisplayColor>"
                    "</gpxx:TrackExtension></extensions>"
                    "<trkseg><trkpt lat=\"47.1\" lon=\"11.2\"><ele>812.4</ele><time>2024-05-01T08:00:01Z</time>"
                    "<extensions><gpxtpx:TrackPointExtension><gpxtpx:hr>92</gpxtpx:hr></gpxtpx:TrackPointExtension>"
                    "</extensions></trkpt><trkpt lat=\"47.2\" lon=\"11.3\"/></trkseg>"
                    "<trkseg><trkpt lat=\"47.3\" lon=\"11.4\"><ele>820</ele></trkpt></trkseg></trk></gpx>",
                    {{GeoPathKind::track, "Morning", 3}},
                    {"", "", ""}},
        ProducerRow{"SeveralRoutesAndTracks",
                    std::string(kHead) + "<wpt lat=\"0\" lon=\"0\"/><trk><name>T1</name><trkseg><trkpt lat=\"1\" "
                                         "lon=\"1\"/></trkseg></trk><rte><name>R1</name><rtept lat=\"2\" lon=\"2\"/>"
                                         "</rte><rte><name>R2</name><rtept lat=\"3\" lon=\"3\"/><rtept lat=\"4\" "
                                         "lon=\"4\"/></rte><rte/><trk><name>T2</name><trkseg/></trk></gpx>",
                    {{GeoPathKind::route, "R1", 1},
                     {GeoPathKind::route, "R2", 2},
                     {GeoPathKind::track, "T1", 1},
                     {GeoPathKind::waypoints, "", 1}},
                    {""}},
        ProducerRow{"PrefixedNamespace",
                    "<g:gpx xmlns:g=\"http://www.topografix.com/GPX/1/1\"><g:rte><g:rtept lat=\"1\" lon=\"2\">"
                    "<g:name>A</g:name><other:name xmlns:other=\"o\">B</other:name></g:rtept></g:rte></g:gpx>",
                    {{GeoPathKind::route, "", 1}},
                    {"A"}}),
    [](const auto& info) { return nameOf(info); });

// ---- simplification ----

// Points along a line of bearing east at 48 degrees north, `metres` apart,
// shifted north by `offset(i)` metres.
std::vector<GeoPoint> walk(std::size_t count, double metres, const std::function<double(std::size_t)>& offset)
{
    const double metresPerDegree = kDistanceEarthRadius * std::numbers::pi / 180.0;
    std::vector<GeoPoint> points;
    for (std::size_t i = 0; i < count; ++i)
        points.push_back({48.0 + offset(i) / metresPerDegree,
                          179.9 + i * metres / (metresPerDegree * std::cos(48.0 * std::numbers::pi / 180.0)), ""});
    for (GeoPoint& point : points)
        point.longitude = std::remainder(point.longitude, 360.0);
    return points;
}

// Straight east, 10 m apart.
std::vector<GeoPoint> line(std::size_t count)
{
    return walk(count, 10, [](std::size_t) { return 0.0; });
}

struct SimplifyRow {
    const char* name;
    std::vector<GeoPoint> points;
    double tolerance;
    std::size_t kept;
};

class Simplify : public testing::TestWithParam<SimplifyRow> {};

TEST_P(Simplify, KeepsWhatStandsOut)
{
    const std::vector<std::size_t> kept = simplifiedIndices(GetParam().points, GetParam().tolerance);
    EXPECT_EQ(kept.size(), GetParam().kept);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
}

// Zig-zag: teeth 50 m high every 100 m, ten points per flank.
double tooth(std::size_t i)
{
    const std::size_t phase = i % 20;
    return 5.0 * static_cast<double>(phase <= 10 ? phase : 20 - phase);
}

INSTANTIATE_TEST_SUITE_P(Gpx, Simplify,
                         testing::Values(SimplifyRow{"StraightLineAcrossDateLine", line(1000), 10, 2},
                                         SimplifyRow{"ZigZagKeepsEveryTooth", walk(201, 5, tooth), 10, 21},
                                         SimplifyRow{"ZigZagWithinTolerance", walk(201, 5, tooth), 60, 2},
                                         SimplifyRow{"RemarkAlwaysKept",
                                                     [] {
                                                         auto path = line(100);
                                                         path[40].remark = "Hut";
                                                         return path;
                                                     }(),
                                                     10, 3},
                                         SimplifyRow{"OutAndBackKeepsTheTurn",
                                                     [] {
                                                         auto path = line(51);
                                                         const auto out = path;
                                                         path.insert(path.end(), out.rbegin() + 1, out.rend() - 10);
                                                         return path;
                                                     }(),
                                                     10, 3},
                                         SimplifyRow{"NoPoints", {}, 10, 0}, SimplifyRow{"OnePoint", line(1), 10, 1}),
                         [](const auto& info) { return nameOf(info); });

TEST(Simplify, LongTrackInWellUnderASecond)
{
    GeoPath track{GeoPathKind::track, "",
                  walk(100000, 3, [](std::size_t i) { return 40.0 * std::sin(i * 0.001) + 3.0 * std::sin(i * 1.7); })};
    const auto start = std::chrono::steady_clock::now();
    const std::vector<GeoPoint> points = importPoints(track);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_GT(points.size(), 10u);
    EXPECT_LT(points.size(), 2000u);
}

// ---- gpsbabel as an independent reader and writer ----

bool haveGpsbabel()
{
    return std::system("command -v gpsbabel >/dev/null 2>&1") == 0;
}

std::string run(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

TEST(Gpsbabel, ReadsOurCoordinates)
{
    if (!haveGpsbabel())
        GTEST_SKIP() << "gpsbabel is not installed";
    const std::vector<GeoPoint> points = {{47.4211234, 10.9854321, "a, \"b\""}, {-33.8688001, -151.2093009, ""}};
    const test::TempFolder folder;
    const std::string file = folder.write("ours.gpx", gpxText("T", points, {}));
    // unicsv: "No,Latitude,Longitude,..." with 6 decimals.
    std::istringstream csv(run("gpsbabel -r -i gpx -f '" + file + "' -o unicsv -F - 2>&1"));
    std::string line;
    std::getline(csv, line);
    ASSERT_EQ(line.rfind("No,Latitude,Longitude", 0), 0u) << line;
    for (const GeoPoint& point : points) {
        ASSERT_TRUE(std::getline(csv, line));
        const std::size_t latStart = line.find(',') + 1;
        const std::size_t lonStart = line.find(',', latStart) + 1;
        EXPECT_NEAR(parseDecimalPrefix(line.substr(latStart)), point.latitude, 5.1e-7) << line;
        EXPECT_NEAR(parseDecimalPrefix(line.substr(lonStart)), point.longitude, 5.1e-7) << line;
    }
}

class GpsbabelWrites : public testing::TestWithParam<const char*> {};

TEST_P(GpsbabelWrites, WaypointsImport)
{
    if (!haveGpsbabel())
        GTEST_SKIP() << "gpsbabel is not installed";
    const test::TempFolder folder;
    const std::string csv =
        folder.write("in.csv", "lat,lon,name,desc\n47.1000001,8.2000002,P1,Hut\n-12.5,-70.25,P2,\n");
    const std::string gpx = folder.file("out.gpx");
    run("gpsbabel -i unicsv -f '" + csv + "' -o gpx,gpxver=" + GetParam() + " -F '" + gpx + "' 2>&1");
    const GpxContent read = readGpxFile(gpx);
    ASSERT_TRUE(read.ok()) << read.problem;
    ASSERT_EQ(read.paths.size(), 1u);
    const std::vector<GeoPoint>& points = read.paths[0].points;
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(seven(points[0].latitude) + ' ' + seven(points[0].longitude) + ' ' + points[0].remark,
              "47.1000001 8.2000002 P1 - Hut");
    EXPECT_EQ(seven(points[1].latitude) + ' ' + seven(points[1].longitude) + ' ' + points[1].remark,
              "-12.5000000 -70.2500000 P2");
}

INSTANTIATE_TEST_SUITE_P(Gpx, GpsbabelWrites, testing::Values("1.0", "1.1"),
                         [](const auto& info) { return std::string("Gpx") + (info.param[2] == '0' ? "10" : "11"); });

// ---- the recent tours, the command line, file kinds ----

struct RecentRow {
    const char* name;
    std::vector<std::string> added;
    std::vector<std::string> expected;
};

class RecentList : public testing::TestWithParam<RecentRow> {};

TEST_P(RecentList, KeepsEightNewestFirstOnceEachAcrossStarts)
{
    test::MemorySettings settings;
    {
        RecentTours recent(settings);
        for (const std::string& path : GetParam().added)
            recent.add(path);
    }
    EXPECT_EQ(RecentTours(settings).paths(), GetParam().expected);
    EXPECT_EQ(settings.count("RecentTours"), GetParam().expected.size());
}

INSTANTIATE_TEST_SUITE_P(Rows, RecentList,
                         testing::Values(RecentRow{"none", {}, {}}, RecentRow{"newestFirst", {"a", "b"}, {"b", "a"}},
                                         RecentRow{"reopenedMovesUp", {"a", "b", "a"}, {"a", "b"}},
                                         RecentRow{"ninthPushesOutOldest",
                                                   {"1", "2", "3", "4", "5", "6", "7", "8", "9"},
                                                   {"9", "8", "7", "6", "5", "4", "3", "2"}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CommandLineRow {
    const char* name;
    std::vector<std::string> arguments;
    bool help;
    bool version;
    std::vector<std::string> files;
};

class CommandLineParse : public testing::TestWithParam<CommandLineRow> {};

TEST_P(CommandLineParse, SeparatesOptionsFromFiles)
{
    const CommandLine line = parseCommandLine(GetParam().arguments);
    EXPECT_EQ(line.help, GetParam().help);
    EXPECT_EQ(line.version, GetParam().version);
    EXPECT_EQ(line.files, GetParam().files);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CommandLineParse,
    testing::Values(CommandLineRow{"filesInOrder", {"b.gpx", "a.TXT"}, false, false, {"b.gpx", "a.TXT"}},
                    CommandLineRow{"help", {"--help", "x.cal"}, true, false, {"x.cal"}},
                    CommandLineRow{"version", {"-v"}, false, true, {}},
                    CommandLineRow{"dashesEndOptions", {"--", "--help"}, false, false, {"--help"}},
                    CommandLineRow{"unknownOptionIsNoFile", {"--fast"}, false, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileKind, ByExtensionInAnyCase)
{
    const std::pair<const char*, FileKind> rows[] = {
        {"/t/Hike.TXT", FileKind::tour},     {"/t/hike.txt", FileKind::tour},   {"/t/r.GPX", FileKind::gpx},
        {"/m/map.Cal", FileKind::map},       {"/m/map.bmp", FileKind::unknown}, {"/m/gpx", FileKind::unknown},
        {"/m.gpx/notes", FileKind::unknown},
    };
    for (const auto& [path, kind] : rows)
        EXPECT_EQ(fileKindOf(path), kind) << path;
}

} // namespace
