// Whether a loaded map can be used and shown, and if not, why: the reasons
// a Search or the start lists for the user.
#include "map/bmp_header.h"
#include "map/cl_map.h"
#include "map/load_problems.h"
#include "raster/raster_info.h"

#include "common/file_names.h"
#include "common/text_convert.h"
#include "resources/string_table.h"

#include <cmath>
#include <optional>

namespace rovanta {
namespace {

// The mean earth radius the distances use; good enough to tell "the same
// place" from "far apart".
constexpr double kEarthRadiusMetres = 6367444.6571;
// Positions closer than this can come out as one whole UTM metre.
constexpr double kSamePlaceMetres = 2.0;

/// Why computeReference refused the map. It does not say, so the likely
/// cause is read off the reference points, most basic first.
std::string georeferenceProblem(const cl_Map& map)
{
    if (map.referencePointCount() == 0)
        return strings::tr(strings::kNoReferencePoint);
    if (map.referencePointCount() == 1)
        return strings::tr(strings::kOnlyOneReferencePoint);
    const cl_RefPoint& a = map.referencePoint(0);
    const cl_RefPoint& b = map.referencePoint(1);
    if (a.pixel.x == b.pixel.x && a.pixel.y == b.pixel.y)
        return strings::tr(strings::kSameReferencePixel);
    const double north = (b.latitude - a.latitude) * kEarthRadiusMetres;
    const double east = (b.longitude - a.longitude) * std::cos(a.latitude) * kEarthRadiusMetres;
    if (std::hypot(east, north) < kSamePlaceMetres)
        return strings::tr(strings::kSameReferencePosition);
    return strings::tr(strings::kReferencePointsTooFar);
}

/// Why the view could not show the map's bitmap; nothing when it can.
std::optional<std::string> bitmapProblem(const cl_Map& map)
{
    if (map.bitmapFileName().empty())
        return strings::tr(strings::kNoBitmapNamed);
    const std::filesystem::path file = toFsPath(map.getBitmapPath());
    BmpFault fault = inspectBmpHeader(file).fault;
    // Anything but a BMP is read through GDAL.
    if (fault == BmpFault::kUnsupported) {
        switch (inspectRaster(file).fault) {
        case RasterFault::kNone:
            return std::nullopt;
        case RasterFault::kUnreadable:
            fault = BmpFault::kUnreadable;
            break;
        default:
            break;
        }
    }
    switch (fault) {
    case BmpFault::kNone:
        return std::nullopt;
    case BmpFault::kMissing:
        return replacePlaceholder(strings::tr(strings::kProblemBitmapNotFound), map.bitmapFileName());
    case BmpFault::kUnsupported:
        return strings::tr(strings::kProblemBitmapNotSupported);
    default:
        return replacePlaceholder(strings::tr(strings::kProblemBitmapUnreadable), map.bitmapFileName());
    }
}

} // namespace

bool cl_Map::computeReference()
{
    if (crs_)
        return true;
    if (referenceCount_ < 2)
        return false;
    // Cheap refusals first: the bitmap's header is read only for a map that
    // can be used.
    if (reference_[0].pixel.x == reference_[1].pixel.x && reference_[0].pixel.y == reference_[1].pixel.y)
        return false;
    const BitmapInfo bitmap = getBitmapInfo();
    return similarity_.compute(reference_[0], reference_[1], IPoint{bitmap.width, bitmap.height});
}

bool cl_Map::prepareForUse()
{
    const LoadProblemScope problems;
    const bool usable = computeReference();
    if (!usable)
        reportLoadProblem(calPath_, 0, std::string(georeferenceProblem(*this)));
    // A georeference holds the bitmap's size; with a size there, the header
    // has just been read, and a start with hundreds of maps need not read
    // it twice.
    const bool sized = usable && georeference().size().x > 0;
    if (const std::optional<std::string> bitmap = sized ? std::nullopt : bitmapProblem(*this))
        reportLoadProblem(calPath_, 0, *bitmap);
    return usable;
}

} // namespace rovanta
