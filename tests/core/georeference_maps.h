// Maps whose two reference points lie at chosen positions, written to a
// temporary folder and georeferenced.
#pragma once

#include "bmp_writer.h"
#include "map/cl_map.h"
#include "temp_folder.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

namespace rovanta::test {

constexpr double kDeg = 180.0 / std::numbers::pi;

/// Half a metre north-east of the whole metres (e, n), so that the
/// library's truncation gives back exactly (e, n).
inline cl_RefPoint atUtm(int zone, char letter, int e, int n)
{
    cl_RefPoint a, b;
    a.setRefPoint(zone, letter, IPoint{e, n});
    b.setRefPoint(zone, letter, IPoint{e + 1, n + 1});
    cl_RefPoint mid;
    mid.setRefPoint(DPoint{(a.longitude + b.longitude) / 2, (a.latitude + b.latitude) / 2});
    return mid;
}

inline cl_RefPoint atDegrees(double lon, double lat)
{
    cl_RefPoint p;
    p.setRefPoint(DPoint{lon / kDeg, lat / kDeg});
    return p;
}

inline std::string referenceLine(IPoint pixel, const cl_RefPoint& p)
{
    const auto coordinate = [](double radians, char positive, char negative) {
        const double deg = std::fabs(radians * kDeg);
        const double whole = std::floor(deg);
        char text[64];
        std::snprintf(text, sizeof text, "%d\xB0%.10f'%c", static_cast<int>(whole), (deg - whole) * 60,
                      radians >= 0 ? positive : negative);
        return std::string(text);
    };
    return "REFERENCE_POINT: (" + std::to_string(pixel.x) + "," + std::to_string(pixel.y) + ") (" +
           coordinate(p.longitude, 'O', 'W') + ", " + coordinate(p.latitude, 'N', 'S') + ")\r\n";
}

/// Loads a map of the given bitmap size whose reference pixels lie at p0, p1.
inline bool loadMap(cl_Map& map, const TempFolder& dir, IPoint size, IPoint px0, const cl_RefPoint& p0, IPoint px1,
                    const cl_RefPoint& p1)
{
    writeBmp(dir.path() / "m.bmp", {.width = size.x, .height = size.y, .bitsPerPixel = 8});
    const std::string cal = "NAME: M\r\nFILENAME: m.bmp\r\n" + referenceLine(px0, p0) + referenceLine(px1, p1);
    std::string name;
    return map.loadCalFile(dir.write("m.cal", cal), name) && map.computeReference();
}

inline IPoint utmOf(cl_RefPoint point, int zone)
{
    int z;
    char letter;
    IPoint en;
    point.setDatum(zone, 0);
    point.getRefPoint(z, letter, en);
    return en;
}

} // namespace rovanta::test
