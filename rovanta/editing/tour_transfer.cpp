#include "editing/tour_transfer.h"

#include "common/file_names.h"
#include "common/text_convert.h"
#include "ports/message.h"
#include "ports/open_file_prompt.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"

#include <filesystem>
#include <memory>

namespace rovanta {
namespace fs = std::filesystem;

namespace {

// The tour's name as the manager lists tours: the file name up to its last ".".
std::string nameFromFile(const std::string& path)
{
    return toUtf8(toFsPath(path).stem());
}

bool samePath(const std::string& a, const std::string& b)
{
    std::error_code error;
    return a == b || fs::equivalent(toFsPath(a), toFsPath(b), error);
}

} // namespace

FileKind fileKindOf(std::string_view path)
{
    const std::string extension = toUtf8(toFsPath(path).extension());
    if (equalsIgnoreCase(extension, ".txt"))
        return FileKind::tour;
    if (equalsIgnoreCase(extension, ".gpx"))
        return FileKind::gpx;
    if (equalsIgnoreCase(extension, ".cal"))
        return FileKind::map;
    return FileKind::unknown;
}

TourTransfer::TourTransfer(cl_Manager& manager, TourCommands& tours, TourEditor& editor, EditorView& view,
                           SettingsAccess& settings)
    : manager_(manager), tours_(tours), editor_(editor), view_(view), recent_(settings)
{
}

bool TourTransfer::onCommand(int id, DisplayFormat csvFormat)
{
    using namespace commands;
    if (id >= kRecentTour && id < kRecentTour + kRecentTourCount) {
        openRecent(static_cast<std::size_t>(id - kRecentTour));
        return true;
    }
    switch (id) {
    case kOpenTour:
        askAndOpen(false);
        return true;
    case kImportGpx:
        askAndOpen(true);
        return true;
    case kExportGpx:
        exportTour(manager_.currentTour(), ExportFormat::gpx, csvFormat);
        return true;
    case kExportKml:
        exportTour(manager_.currentTour(), ExportFormat::kml, csvFormat);
        return true;
    case kExportCsv:
        exportTour(manager_.currentTour(), ExportFormat::csv, csvFormat);
        return true;
    default:
        return false;
    }
}

bool TourTransfer::askAndOpen(bool gpxOnly)
{
    OpenFileRequest request;
    request.title = "Rovanta";
    request.filter = strings::tr(gpxOnly ? strings::kGpxFileFilter : strings::kOpenTourFilter);
    request.defaultExtension = gpxOnly ? ".gpx" : ".TXT";
    request.initialFolder = manager_.lastSaveFolder();
    const std::optional<std::string> chosen = askOpenFile(request);
    if (!chosen)
        return false;
    return gpxOnly ? importGpx(*chosen) : openFile(*chosen);
}

bool TourTransfer::openRecent(std::size_t index)
{
    if (index >= recent_.paths().size())
        return false;
    const std::string path = recent_.paths()[index];
    std::error_code error;
    if (fs::exists(toFsPath(path), error))
        return openFile(path);
    // A tour moved or deleted elsewhere leaves the list once the user learns of it.
    showMessage(replacePlaceholders(strings::tr(strings::kTourNotRead), {path}), kMessageOk);
    recent_.remove(path);
    if (recentChanged_)
        recentChanged_();
    return false;
}

bool TourTransfer::openFile(const std::string& path)
{
    switch (fileKindOf(path)) {
    case FileKind::tour:
        return openTour(path);
    case FileKind::gpx:
        return importGpx(path);
    case FileKind::map:
        return showMap(path);
    case FileKind::unknown:
        break;
    }
    showMessage(replacePlaceholders(strings::tr(strings::kFileKindUnknown), {path}), kMessageOk);
    return false;
}

bool TourTransfer::openTour(const std::string& path)
{
    const std::string name = nameFromFile(path);
    auto loaded = std::make_shared<cl_Tour>();
    if (!loaded->load(name, path, kStatusCurrent)) {
        showMessage(replacePlaceholders(strings::tr(strings::kTourNotRead), {path}), kMessageOk);
        return false;
    }
    if (!mayReplaceTour())
        return false;
    // The page lists one tour per name: the listed record takes the file's
    // points, so the page and the view share it.
    const TourCollection& listed = manager_.tourList().working();
    if (const auto known = listed.find(name); known != listed.end()) {
        known->second->clear();
        if (known->second->load(name, path, kStatusCurrent))
            loaded = known->second;
    }
    manager_.tourList().restoreCurrentTour(loaded);
    placeCurrentTour();
    tours_.managerClosed(true);
    remember(path);
    return true;
}

bool TourTransfer::importGpx(const std::string& path)
{
    const GpxContent content = readGpxFile(toFsPath(path));
    if (!content.ok()) {
        showMessage(replacePlaceholders(strings::tr(strings::kGpxNotRead), {path, content.problem}), kMessageOk);
        return false;
    }
    const std::optional<ImportChoice> choice = chooser_ ? chooser_(path, content) : ImportChoice{};
    if (!choice || choice->path >= content.paths.size() || !mayReplaceTour())
        return false;
    const GeoPath& chosen = content.paths[choice->path];
    tours_.newTour();
    const TourRecord tour = manager_.currentTour();
    if (!tour)
        return false;
    tour->setName(chosen.name.empty() ? nameFromFile(path) : chosen.name);
    appendToTour(*tour, importPoints(chosen, choice->tolerance));
    placeCurrentTour();
    tours_.tourReplaced();
    view_.setClearBackground();
    view_.refreshDistances();
    remember(path);
    return true;
}

bool TourTransfer::showMap(const std::string& path)
{
    MapRecord map = knownMap(path);
    if (!map) {
        manager_.addFolder(toUtf8(toFsPath(path).parent_path()));
        manager_.mapList().search();
        map = knownMap(path);
    }
    if (!map) {
        showMessage(replacePlaceholders(strings::tr(strings::kNotAMap), {path}), kMessageOk);
        return false;
    }
    editor_.switchMap(map);
    // The store takes the found maps, so the tour's map switches know them.
    manager_.mapList().commit();
    view_.setClearBackground();
    view_.redraw();
    return true;
}

MapRecord TourTransfer::knownMap(const std::string& calPath) const
{
    for (const auto& item : manager_.mapList().working()) {
        if (item.second->status() != kStatusUnread && samePath(item.second->calPath(), calPath))
            return item.second;
    }
    return nullptr;
}

bool TourTransfer::exportTour(const TourRecord& tour, ExportFormat format, DisplayFormat csvFormat)
{
    return tour && exportTourFile(*tour, format, csvFormat, manager_.lastSaveFolder());
}

void TourTransfer::tourSaved(const std::string& path)
{
    remember(path);
}

bool TourTransfer::mayReplaceTour()
{
    if (tours_.unsavedTour() && showMessage(strings::kTourNotSavedQuestion, kMessageYesNo) == kAnswerYes &&
        !tours_.saveTour())
        return false;
    tours_.clearTour();
    return true;
}

void TourTransfer::placeCurrentTour()
{
    const TourRecord tour = manager_.currentTour();
    if (!tour || tour->getPointCount() == 0)
        return;
    cl_RefPoint first = *tour->getPoint(0);
    // Off every checked map the tour stays on the map shown.
    if (MapRecord map = manager_.findMapContaining(first); map || (map = view_.currentMap()))
        editor_.switchMap(map);
}

void TourTransfer::remember(const std::string& path)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(toFsPath(path), error);
    recent_.add(error ? path : toUtf8(absolute.lexically_normal()));
    if (recentChanged_)
        recentChanged_();
}

} // namespace rovanta
