// Rasters that carry their own georeference, made with GDAL in a temporary
// folder: conversions against GDAL's own transformer, Search, the settings.
#include "manager/cl_manager.h"

#include "common/file_names.h"
#include "manager_fixture.h"
#include "map_files.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

#include <gdal_alg.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <numbers>
#include <string>

namespace rovanta {
namespace {
namespace fs = std::filesystem;
using test::listed;
using test::Registry;
using test::TempFolder;

constexpr double kDeg = 180.0 / std::numbers::pi;

struct Sheet {
    int epsg = 32632;
    double west = 690000.0; ///< coordinate system units at the top-left corner
    double north = 5335000.0;
    double pixel = 2.5; ///< units per pixel
    int width = 400;
    int height = 300;
};

OGRSpatialReference crsOf(int epsg)
{
    OGRSpatialReference crs;
    crs.importFromEPSG(epsg);
    return crs;
}

/// Writes a one-band raster through `driver`; the georeference goes into
/// the file (GeoTIFF tags, or an ".aux.xml" beside an image) as asked.
void writeRaster(const fs::path& path, const char* driver, const Sheet& sheet, bool withTransform, bool withCrs)
{
    GDALAllRegister();
    GDALDriver* memory = GetGDALDriverManager()->GetDriverByName("MEM");
    const GDALDatasetUniquePtr source(memory->Create("", sheet.width, sheet.height, 1, GDT_Byte, nullptr));
    double transform[6] = {sheet.west, sheet.pixel, 0.0, sheet.north, 0.0, -sheet.pixel};
    if (withTransform)
        source->SetGeoTransform(transform);
    const OGRSpatialReference crs = crsOf(sheet.epsg);
    if (withCrs)
        source->SetSpatialRef(&crs);
    GDALDriver* target = GetGDALDriverManager()->GetDriverByName(driver);
    ASSERT_TRUE(
        GDALDatasetUniquePtr(target->CreateCopy(toUtf8(path).c_str(), source.get(), FALSE, nullptr, nullptr, nullptr)));
}

/// A world file: pixel sizes, then the centre of the top-left pixel.
void writeWorldFile(const fs::path& path, const Sheet& sheet)
{
    std::ofstream(path) << std::setprecision(15) << sheet.pixel << "\n0\n0\n"
                        << -sheet.pixel << "\n"
                        << sheet.west + sheet.pixel / 2 << "\n"
                        << sheet.north - sheet.pixel / 2 << "\n";
}

void writePrj(const fs::path& path, int epsg)
{
    char* wkt = nullptr;
    crsOf(epsg).exportToWkt(&wkt);
    std::ofstream(path) << wkt;
    CPLFree(wkt);
}

/// GDAL's own pixel/line ⇄ WGS 84 longitude/latitude, as gdaltransform
/// -t_srs EPSG:4326 gives it.
class GdalTransformer {
public:
    explicit GdalTransformer(const std::string& path)
        : dataset_(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY))
    {
        const char* options[] = {"DST_SRS=EPSG:4326", nullptr};
        transformer_ = GDALCreateGenImgProjTransformer2(dataset_.get(), nullptr, const_cast<char**>(options));
    }
    ~GdalTransformer() { GDALDestroyGenImgProjTransformer(transformer_); }
    GdalTransformer(const GdalTransformer&) = delete;
    GdalTransformer& operator=(const GdalTransformer&) = delete;

    /// Pixel/line to longitude/latitude in degrees, or back.
    void run(bool back, double& x, double& y) const
    {
        double z = 0.0;
        int ok = 0;
        ASSERT_TRUE(GDALGenImgProjTransform(transformer_, back ? TRUE : FALSE, 1, &x, &y, &z, &ok) && ok);
    }

private:
    GDALDatasetUniquePtr dataset_;
    void* transformer_ = nullptr;
};

struct CrsRow {
    const char* name;
    Sheet sheet;
    const char* system;    ///< the EPSG registry's name
    double metresPerPixel; ///< by hand: ground metres of one pixel at the centre
};

void PrintTo(const CrsRow& row, std::ostream* out)
{
    *out << row.name;
}

class CoordinateSystems : public ::testing::TestWithParam<CrsRow> {};

// Hand values: UTM and Gauss-Krüger near their central meridians keep
// their units (scale 1.0000); Web Mercator at 50° N shrinks 10 m to
// 10 cos 50° = 6.43 m; 0.0001° at 48.5° N is 11.11 m north, 7.36 m east.
INSTANTIATE_TEST_SUITE_P(
    Rasters, CoordinateSystems,
    ::testing::Values(
        CrsRow{"Utm32", {}, "WGS 84 / UTM zone 32N", 2.5},
        CrsRow{"GaussKruegerZone4", {31468, 4468000.0, 5338000.0, 5.0}, "DHDN / 3-degree Gauss-Kruger zone 4", 5.0},
        CrsRow{"WebMercator", {3857, 1224514.0, 6446276.0, 10.0}, "WGS 84 / Pseudo-Mercator", 6.43},
        CrsRow{"LatLon", {4326, 11.0, 48.5, 0.0001}, "WGS 84", 9.24}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(CoordinateSystems, AgreeWithGdalsTransformer)
{
    const CrsRow& row = GetParam();
    const TempFolder dir;
    const std::string path = dir.file("sheet.tif");
    writeRaster(toFsPath(path), "GTiff", row.sheet, true, true);
    cl_Map map;
    std::string name = "sheet.tif";
    ASSERT_TRUE(map.loadMapFile(path, name));
    ASSERT_TRUE(map.prepareForUse());
    EXPECT_EQ(map.georeference().coordinateSystem(), row.system);
    EXPECT_NEAR(map.georeference().metresPerPixel(), row.metresPerPixel, row.metresPerPixel * 0.01);

    const GdalTransformer gdal(path);
    const int h = row.sheet.height;
    for (const IPoint pixel : {IPoint{0, 0}, IPoint{400, 300}, IPoint{123, 45}, IPoint{399, 1}}) {
        // Map pixels count y up from the bottom edge, GDAL's lines down.
        int inside = 1;
        const cl_RefPoint position = map.pixelToRefPoint(pixel.x, pixel.y, inside);
        EXPECT_EQ(inside, 1);
        double x = position.longitude * kDeg;
        double y = position.latitude * kDeg;
        gdal.run(true, x, y);
        EXPECT_NEAR(x, pixel.x, 0.01) << pixel.x << "," << pixel.y;
        EXPECT_NEAR(y, h - pixel.y, 0.01) << pixel.x << "," << pixel.y;

        double lon = pixel.x + 0.25;
        double lat = h - pixel.y - 0.25;
        gdal.run(false, lon, lat);
        cl_RefPoint ground;
        ground.setRefPoint(DPoint{lon / kDeg, lat / kDeg});
        const PixelFix fix = map.georeference().pixelOf(ground);
        ASSERT_TRUE(fix.valid);
        EXPECT_NEAR(fix.x, pixel.x + 0.25, 0.01);
        EXPECT_NEAR(fix.y, pixel.y + 0.25, 0.01);
    }
}

const char* const kOziMap = "OziExplorer Map Data File Version 2.2\r\n"
                            "Karwendel Nord\r\n"
                            "C:\\OziExplorer\\Maps\\ozi.png\r\n"
                            "1 ,Map Code,\r\n"
                            "WGS 84,WGS 84,   0.0000,   0.0000,WGS 84\r\n"
                            "Reserved 1\r\n"
                            "Reserved 2\r\n"
                            "Magnetic Variation,,,E\r\n"
                            "Map Projection,Latitude/Longitude,PolyCal,No,AutoCalOnly,No,BSBUseWPX,No\r\n"
                            "Point01,xy,    0,    0,in, deg,  47, 30.0000,N,  11,  0.0000,E, grid,   ,     ,     ,N\r\n"
                            "Point02,xy,  400,    0,in, deg,  47, 30.0000,N,  11,  4.0000,E, grid,   ,     ,     ,N\r\n"
                            "Point03,xy,    0,  300,in, deg,  47, 27.0000,N,  11,  0.0000,E, grid,   ,     ,     ,N\r\n"
                            "Projection Setup,,,,,,,,,,\r\n"
                            "IWH,Map Image Width/Height,400,300\r\n";

class RasterSearch : public ::testing::Test {
protected:
    RasterSearch() { registry.folders({toUtf8(dir.path())}); }

    void start()
    {
        manager = std::make_unique<cl_Manager>(registry);
        manager->beginSheet();
    }
    cl_MapList& maps() { return manager->mapList(); }

    TempFolder dir;
    Registry registry;
    test::ScriptedAnswerer answerer;
    std::unique_ptr<cl_Manager> manager;
};

TEST_F(RasterSearch, ListsGeoreferencedRastersOnceAndNamesTheBrokenOnes)
{
    const fs::path folder = dir.path();
    test::writeSampleMap(folder, "a.cal", {.name = "Alps"});
    // A GeoTIFF a calibration file names is that calibration's map.
    writeRaster(folder / "named.tif", "GTiff", {}, true, true);
    test::writeSampleMap(folder, "named.cal", {.name = "Named"});
    std::string cal = dir.file("named.cal");
    std::ifstream in(toFsPath(cal));
    std::string text((std::istreambuf_iterator<char>(in)), {});
    text.replace(text.find("named.bmp"), 9, "named.tif");
    dir.write("named.cal", text);
    writeRaster(folder / "utm.tif", "GTiff", {}, true, true);
    writeRaster(folder / "world.png", "PNG", {}, false, false);
    writeWorldFile(folder / "world.pgw", {});
    writePrj(folder / "world.prj", 32632);
    writeRaster(folder / "aux.jpg", "JPEG", {}, false, true); // the system in aux.jpg.aux.xml
    writeWorldFile(folder / "aux.jgw", {});
    writeRaster(folder / "ozi.png", "PNG", {}, false, false);
    dir.write("ozi.map", kOziMap);
    writeRaster(folder / "plain.png", "PNG", {}, false, false);
    dir.write("notes.txt", "not a map\n");
    dir.write("broken.tif", std::string_view("II*\0broken", 10));
    writeRaster(folder / "nocrs.png", "PNG", {}, false, false);
    writeWorldFile(folder / "nocrs.pgw", {});
    start();

    maps().search();
    EXPECT_EQ(listed(maps().entries()), "Alps:0 aux.jpg:0 Karwendel Nord:0 Named:0 utm.tif:0 world.png:0");
    EXPECT_EQ(maps().working().at("Karwendel Nord")->getBitmapPath(), toUtf8(folder / "ozi.png"));
    ASSERT_EQ(answerer.shown.size(), 1u);
    const std::string& notice = answerer.shown[0].text;
    EXPECT_NE(notice.find("broken.tif"), std::string::npos) << notice;
    EXPECT_NE(notice.find("nocrs.png: georeferenced, but no coordinate system"), std::string::npos) << notice;
    EXPECT_EQ(notice.find("plain.png"), std::string::npos) << notice;

    // Every listed raster converts like GDAL's: the same corner position.
    for (const char* name : {"aux.jpg", "utm.tif", "world.png"}) {
        int inside = 0;
        const cl_RefPoint corner = maps().working().at(name)->pixelToRefPoint(0, 300, inside);
        cl_RefPoint expected = maps().working().at("utm.tif")->pixelToRefPoint(0, 300, inside);
        EXPECT_NEAR(corner.longitude, expected.longitude, 1e-9) << name;
        EXPECT_NEAR(corner.latitude, expected.latitude, 1e-9) << name;
    }
}

TEST_F(RasterSearch, AGeoTiffMapSurvivesTheSettings)
{
    writeRaster(dir.path() / "utm.tif", "GTiff", {}, true, true);
    start();
    maps().search();
    maps().toggle(0);
    int inside = 1;
    const cl_RefPoint before = maps().working().at("utm.tif")->pixelToRefPoint(120, 80, inside);
    manager->finishWithOk();
    manager.reset();
    EXPECT_EQ(registry.text(settings::kMapPath, settings::mapKey(0)), "FolderId_00\\utm.tif");

    start();
    const MapRecord again = manager->maps().at("utm.tif");
    EXPECT_EQ(again->status(), kStatusChecked);
    cl_RefPoint position = before;
    EXPECT_TRUE(again->refPointToPixel(position));
    const PixelFix fix = again->georeference().pixelOf(position);
    EXPECT_NEAR(fix.x, 120.0, 1e-6);
    EXPECT_NEAR(fix.y, 80.0, 1e-6);
    // 2.5 m of UTM is 2.49 m on the distances' sphere at 48° N.
    const std::string body = maps().properties(0)->body;
    EXPECT_NE(body.find("System: WGS 84 / UTM zone 32N\nScale:  2.49 m per pixel\n"), std::string::npos) << body;
    EXPECT_NE(body.find("Width:  400\nHeight: 300\n"), std::string::npos) << body;
    EXPECT_NE(body.find("Color:  8 bpp\n"), std::string::npos) << body;
}

} // namespace
} // namespace rovanta
