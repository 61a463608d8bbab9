#include "georeferenced_files.h"

#include <kalimark/kalimark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

namespace sample_maps {
namespace {

// Signed degrees (longitude, latitude) of whole UTM metres in our zone.
DPoint geographic(std::int32_t e, std::int32_t n)
{
    cl_RefPoint point;
    point.setDatum(kZone, 0);
    point.setRefPoint(kZone, 'T', IPoint{e, n});
    IPoint sign;
    DPoint deg;
    point.getRefPoint(sign, deg);
    return {sign.x * deg.x, sign.y * deg.y};
}

// "D°M.MMMMMM'H" with the Latin-1 degree sign, as calibration files carry it.
std::string degreesMinutes(double degrees, char positive, char negative)
{
    const double magnitude = std::fabs(degrees);
    int whole = static_cast<int>(std::floor(magnitude));
    double minutes = (magnitude - whole) * 60;
    if (minutes >= 59.9999995) {
        ++whole;
        minutes = 0;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%d\xB0%.6f'%c", whole, minutes, degrees >= 0 ? positive : negative);
    return text;
}

// A reference point at pixel (x, y). Its position is taken half a metre
// inside the metre square, so that reading it back, which truncates to whole
// metres, gives exactly the sheet's grid: scale 4 and no rotation.
std::string referenceLine(const Sheet& sheet, int x, int y)
{
    const auto e = static_cast<std::int32_t>(sheet.west + x * kScale),
               n = static_cast<std::int32_t>(kSouth + y * kScale);
    const DPoint at = geographic(e, n), east = geographic(e + 1, n), north = geographic(e, n + 1);
    const double lon = at.x + 0.5 * (east.x - at.x) + 0.5 * (north.x - at.x);
    const double lat = at.y + 0.5 * (east.y - at.y) + 0.5 * (north.y - at.y);
    return "REFERENCE_POINT: (" + std::to_string(x) + "," + std::to_string(y) + ") (" + degreesMinutes(lon, 'O', 'W') +
           ", " + degreesMinutes(lat, 'N', 'S') + ")\r\n";
}

} // namespace

void writeCal(const std::filesystem::path& folder, const Sheet& sheet)
{
    const std::string file = sheet.file;
    std::ofstream(folder / (file + ".cal"), std::ios::binary)
        << "TYPE: RASTERMAP\r\nNAME: " << sheet.name << "\r\nVISIBLE: YES\r\n"
        << referenceLine(sheet, 0, 0) << referenceLine(sheet, kWidth, kHeight)
        << "REFERENCE_TYPE: BILINEAR_GEOGRAPHIC\r\nPROJECTION: UTM\r\nELLIPSOID: WGS84\r\nFILENAME: " << file
        << ".bmp\r\n";
}

void writeTour(const std::filesystem::path& folder, const Plan& plan)
{
    std::ofstream tour(folder / "Sample Tour.TXT", std::ios::binary);
    for (const Pt& p : plan.tour) {
        const DPoint at = geographic(static_cast<std::int32_t>(p.e), static_cast<std::int32_t>(p.n));
        char line[64];
        std::snprintf(line, sizeof line, "%.7f,%.7f,0\r\n", at.y, at.x);
        tour << line;
    }
    std::ofstream remarks(folder / "Sample Tour.rmk", std::ios::binary);
    for (const std::string& remark : plan.remarks)
        remarks << remark << "\r\n";
}

} // namespace sample_maps
