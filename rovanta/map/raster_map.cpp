// Maps read from rasters that carry their own georeference.
#include "map/cl_map.h"
#include "map/crs_georeference.h"
#include "map/load_problems.h"

#include "common/file_names.h"
#include "common/text_convert.h"
#include "common/text_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace rovanta {
namespace {

bool hasExtension(const std::string& path, std::string_view extension)
{
    std::string actual = toUtf8(toFsPath(path).extension());
    std::ranges::transform(actual, actual.begin(), [](unsigned char c) { return std::tolower(c); });
    return actual == extension;
}

/// An OziExplorer calibration names its map on the second line.
std::string oziTitle(const std::string& path)
{
    const auto lines = readTextLines(toFsPath(path));
    return lines && lines->size() > 1 ? std::string(trimBlanks((*lines)[1].text)) : std::string();
}

} // namespace

cl_Map::RasterLoad cl_Map::loadRasterFile(const std::string& path, std::string& name)
{
    // A file gone since the last run is dropped silently, as a calibration
    // file is.
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(toFsPath(path), error))
        return RasterLoad::kNone;
    const LoadProblemScope problems;
    const CrsGeoreference::Read read = CrsGeoreference::read(path);
    if (read.broken) {
        reportLoadProblem(path, 0, read.problem);
        return RasterLoad::kBroken;
    }
    if (!read.georeference)
        return RasterLoad::kNone;
    if (const std::string title = hasExtension(path, ".map") ? oziTitle(path) : ""; !title.empty())
        name = title;
    calPath_ = path;
    bitmapFileName_ = read.image.empty() ? toUtf8(toFsPath(path).filename()) : read.image;
    reference_[0] = cl_RefPoint();
    reference_[1] = cl_RefPoint();
    extraReference_.clear();
    referenceCount_ = 0;
    similarity_ = CalSimilarity();
    crs_ = read.georeference;
    mapName_ = name;
    found_ = 1;
    return RasterLoad::kLoaded;
}

bool cl_Map::loadMapFile(const std::string& path, std::string& name)
{
    if (hasExtension(path, ".cal"))
        return loadCalFile(path, name);
    return loadRasterFile(path, name) == RasterLoad::kLoaded;
}

} // namespace rovanta
