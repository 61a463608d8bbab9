#include "map/crs_georeference.h"

#include "common/file_names.h"
#include "common/text_convert.h"
#include "common/text_file.h"
#include "resources/string_table.h"

#include <cpl_error.h>
#include <gdal_alg.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <mutex>
#include <numbers>
#include <optional>

namespace rovanta {
namespace fs = std::filesystem;
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// The sphere the distances use, so the properties' scale matches them.
constexpr double kEarthRadiusMetres = 6367444.6571;

void registerDrivers()
{
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

/// GDAL reports to stderr by default; here its last message becomes the
/// problem's reason instead.
class QuietErrors {
public:
    QuietErrors()
    {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~QuietErrors() { CPLPopErrorHandler(); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;
    static std::string last(std::string_view fallback)
    {
        const std::string message = CPLGetLastErrorMsg();
        return message.empty() ? std::string(fallback) : message;
    }
};

struct GcpTransformerDeleter {
    void operator()(void* transformer) const { GDALDestroyGCPTransformer(transformer); }
};

/// Great circle between two positions in radians, in metres.
double groundDistance(const cl_RefPoint& a, const cl_RefPoint& b)
{
    const double dLat = b.latitude - a.latitude;
    const double dLon = b.longitude - a.longitude;
    const double h =
        std::pow(std::sin(dLat / 2), 2) + std::cos(a.latitude) * std::cos(b.latitude) * std::pow(std::sin(dLon / 2), 2);
    return 2.0 * kEarthRadiusMetres * std::asin(std::min(1.0, std::sqrt(h)));
}

/// A world file's coordinate system from the ".prj" beside the raster,
/// which GDAL's image drivers do not read.
std::optional<OGRSpatialReference> prjBeside(const std::string& path)
{
    const fs::path raster = toFsPath(path);
    const fs::path prj = findInFolderIgnoreCase(raster.parent_path().empty() ? fs::path(".") : raster.parent_path(),
                                                toUtf8(raster.stem()) + ".prj");
    if (prj.empty())
        return std::nullopt;
    const auto lines = readTextLines(prj);
    if (!lines)
        return std::nullopt;
    std::string text;
    for (const TextLine& line : *lines)
        text += line.text;
    OGRSpatialReference crs;
    if (crs.SetFromUserInput(text.c_str()) != OGRERR_NONE)
        return std::nullopt;
    return crs;
}

} // namespace

/// Pixel/line (GDAL's: from the top-left corner, rows down) to the
/// coordinate system by geotransform or ground control points, then to
/// WGS 84 longitude/latitude in degrees.
struct CrsGeoreference::Transform {
    std::array<double, 6> toCrs{};
    std::array<double, 6> toPixel{};
    std::unique_ptr<void, GcpTransformerDeleter> gcps;
    OGRSpatialReference crs;
    std::unique_ptr<OGRCoordinateTransformation> toWgs84;
    std::unique_ptr<OGRCoordinateTransformation> fromWgs84;
    IPoint size;

    bool pixelToCrs(double& x, double& y) const
    {
        if (gcps) {
            double z = 0.0;
            int ok = 0;
            return GDALGCPTransform(gcps.get(), FALSE, 1, &x, &y, &z, &ok) && ok;
        }
        const double p = x;
        const double l = y;
        x = toCrs[0] + p * toCrs[1] + l * toCrs[2];
        y = toCrs[3] + p * toCrs[4] + l * toCrs[5];
        return true;
    }
    bool crsToPixel(double& x, double& y) const
    {
        if (gcps) {
            double z = 0.0;
            int ok = 0;
            return GDALGCPTransform(gcps.get(), TRUE, 1, &x, &y, &z, &ok) && ok;
        }
        const double e = x;
        const double n = y;
        x = toPixel[0] + e * toPixel[1] + n * toPixel[2];
        y = toPixel[3] + e * toPixel[4] + n * toPixel[5];
        return true;
    }
};

CrsGeoreference::CrsGeoreference(std::unique_ptr<Transform> transform) : transform_(std::move(transform))
{
}

CrsGeoreference::~CrsGeoreference() = default;

CrsGeoreference::Read CrsGeoreference::read(const std::string& path)
{
    registerDrivers();
    const QuietErrors quiet;
    Read result;
    const GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!dataset) {
        result.broken = true;
        result.problem = replacePlaceholder(strings::tr(strings::kProblemRasterUnreadable),
                                            QuietErrors::last(strings::tr(strings::kUnknownFormat)));
        return result;
    }
    auto transform = std::make_unique<Transform>();
    transform->size = IPoint{dataset->GetRasterXSize(), dataset->GetRasterYSize()};
    const OGRSpatialReference* crs = nullptr;
    if (dataset->GetGeoTransform(transform->toCrs.data()) == CE_None) {
        crs = dataset->GetSpatialRef();
        if (!GDALInvGeoTransform(transform->toCrs.data(), transform->toPixel.data())) {
            result.broken = true;
            result.problem = replacePlaceholder(strings::tr(strings::kProblemNoTransform),
                                                strings::tr(strings::kDegenerateTransform));
            return result;
        }
    } else if (dataset->GetGCPCount() >= 3) {
        crs = dataset->GetGCPSpatialRef();
        transform->gcps.reset(GDALCreateGCPTransformer(dataset->GetGCPCount(), dataset->GetGCPs(), 0, FALSE));
        if (!transform->gcps) {
            result.broken = true;
            result.problem = replacePlaceholder(strings::tr(strings::kProblemNoTransform),
                                                QuietErrors::last(strings::tr(strings::kControlPoints)));
            return result;
        }
    } else {
        return result; // a plain image: not a map on its own
    }
    std::optional<OGRSpatialReference> prj;
    if (!crs || crs->IsEmpty()) {
        prj = prjBeside(path);
        crs = prj ? &*prj : nullptr;
    }
    if (!crs || crs->IsEmpty()) {
        result.broken = true;
        result.problem = strings::tr(strings::kProblemNoCoordinateSystem);
        return result;
    }
    transform->crs = *crs;
    transform->crs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    transform->toWgs84.reset(OGRCreateCoordinateTransformation(&transform->crs, &wgs84));
    transform->fromWgs84.reset(OGRCreateCoordinateTransformation(&wgs84, &transform->crs));
    if (!transform->toWgs84 || !transform->fromWgs84) {
        result.broken = true;
        result.problem = replacePlaceholder(strings::tr(strings::kProblemNoTransform), QuietErrors::last("PROJ"));
        return result;
    }
    if (char** files = dataset->GetFileList()) {
        // A calibration file of another program names its image second.
        if (files[0] && files[1] && toFsPath(files[0]) == toFsPath(path))
            result.image = toUtf8(toFsPath(files[1]).filename());
        CSLDestroy(files);
    }
    result.georeference.reset(new CrsGeoreference(std::move(transform)));
    return result;
}

cl_RefPoint CrsGeoreference::positionOf(std::int32_t x, std::int32_t y) const
{
    // Map pixels count y up from the bottom edge, GDAL's lines down from the top.
    double e = x;
    double n = static_cast<double>(transform_->size.y) - y;
    cl_RefPoint point;
    if (transform_->pixelToCrs(e, n) && transform_->toWgs84->Transform(1, &e, &n))
        point.setRefPoint(DPoint{e * kDegree, n * kDegree});
    point.pixel = IPoint{x, y};
    return point;
}

PixelFix CrsGeoreference::pixelOf(cl_RefPoint& point) const
{
    double x = point.longitude / kDegree;
    double y = point.latitude / kDegree;
    if (!transform_->fromWgs84->Transform(1, &x, &y) || !transform_->crsToPixel(x, y))
        return PixelFix{};
    return PixelFix{x, static_cast<double>(transform_->size.y) - y, true};
}

IPoint CrsGeoreference::size() const
{
    return transform_->size;
}

std::string CrsGeoreference::coordinateSystem() const
{
    const char* name = transform_->crs.GetName();
    return name ? name : strings::tr(strings::kUnnamedSystem);
}

double CrsGeoreference::metresPerPixel() const
{
    const std::int32_t x = transform_->size.x / 2;
    const std::int32_t y = transform_->size.y / 2;
    const cl_RefPoint centre = positionOf(x, y);
    return (groundDistance(centre, positionOf(x + 1, y)) + groundDistance(centre, positionOf(x, y + 1))) / 2.0;
}

} // namespace rovanta
