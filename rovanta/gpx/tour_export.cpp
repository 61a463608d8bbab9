#include "gpx/tour_export.h"

#include "common/file_names.h"
#include "common/text_convert.h"
#include "gpx/distances_csv.h"
#include "gpx/geo_path.h"
#include "gpx/gpx_write.h"
#include "ports/message.h"
#include "ports/save_file_prompt.h"
#include "resources/string_table.h"
#include "tour/cl_tour.h"

#include <chrono>
#include <filesystem>
#include <optional>

namespace rovanta {
namespace fs = std::filesystem;

namespace {

struct ExportFile {
    std::string_view filter;
    const char* extension;
};

ExportFile exportFileOf(ExportFormat format)
{
    switch (format) {
    case ExportFormat::gpx:
        return {strings::kGpxFileFilter, ".gpx"};
    case ExportFormat::kml:
        return {strings::kKmlFileFilter, ".kml"};
    case ExportFormat::csv:
        break;
    }
    return {strings::kCsvFileFilter, ".csv"};
}

std::optional<std::string> askTarget(const cl_Tour& tour, const ExportFile& file, const std::string& folder)
{
    SaveFileRequest request;
    request.title = "Rovanta";
    request.filter = strings::tr(file.filter);
    request.defaultExtension = file.extension;
    request.initialFolder = folder;
    request.initialName = tour.name() + file.extension;
    std::optional<std::string> chosen = askSaveFile(request);
    if (!chosen)
        return std::nullopt;
    if (!toFsPath(*chosen).has_extension())
        *chosen += file.extension;
    std::error_code error;
    if (fs::exists(toFsPath(*chosen), error) && showMessage(strings::kFileExistsQuestion, kMessageYesNo) != kAnswerYes)
        return std::nullopt;
    return chosen;
}

std::string exportText(cl_Tour& tour, ExportFormat format, DisplayFormat csvFormat)
{
    switch (format) {
    case ExportFormat::gpx:
        return gpxText(tour.name(), tourPoints(tour), {isoUtcTime(std::chrono::system_clock::now()), true});
    case ExportFormat::kml:
        return kmlText(tour.name(), tourPoints(tour));
    case ExportFormat::csv:
        break;
    }
    return distancesCsv(tour, csvFormat);
}

} // namespace

bool exportTourFile(cl_Tour& tour, ExportFormat format, DisplayFormat csvFormat, const std::string& folder)
{
    if (tour.getPointCount() == 0)
        return false;
    const std::optional<std::string> chosen = askTarget(tour, exportFileOf(format), folder);
    if (!chosen)
        return false;
    std::string failure;
    if (!writeExportFile(toFsPath(*chosen), exportText(tour, format, csvFormat), failure)) {
        showMessage(replacePlaceholders(strings::tr(strings::kFileNotSaved), {*chosen, failure}), kMessageOk);
        return false;
    }
    return true;
}

} // namespace rovanta
