#include "manager/cl_map_list.h"

#include "common/text_convert.h"
#include "manager/file_facts.h"
#include "manager/folder_list.h"
#include "map/load_problems.h"
#include "ports/rename_prompt.h"
#include "resources/string_table.h"

#include "common/file_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

namespace rovanta {
namespace {

std::string lowerCase(std::string text)
{
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string extensionOf(const std::string& file)
{
    const std::size_t dot = file.rfind('.');
    return dot == std::string::npos ? std::string() : lowerCase(file.substr(dot));
}

/// Raster files that may carry their own georeference (inside, or in a
/// world file or ".aux.xml" beside them).
bool isRasterExtension(std::string_view extension)
{
    static constexpr std::array<std::string_view, 11> kRasters = {".tif", ".tiff", ".png", ".jpg", ".jpeg", ".gif",
                                                                  ".bmp", ".jp2",  ".j2k", ".img", ".kap"};
    return std::ranges::find(kRasters, extension) != kRasters.end();
}

} // namespace

cl_MapList::cl_MapList(ActionButton& button, const std::string& folderList, MapCollection& store,
                       std::function<void()> mapShown)
    : RecordPage(button, folderList, store), mapShown_(std::move(mapShown))
{
}

void cl_MapList::open()
{
    refresh();
    selectedFlag_ = false;
}

void cl_MapList::refresh()
{
    selected_ = refreshEntries();
}

void cl_MapList::commit()
{
    selected_ = commitRecords();
    if (selected_)
        selectedFlag_ = true;
}

void cl_MapList::search()
{
    // However many files are broken, the user hears of them once.
    const LoadProblemScope problems;
    searchEachFolder([this](const std::string& folder) { searchFolder(folder); });
}

void cl_MapList::searchFolder(const std::string& folder)
{
    const std::vector<std::string> files = listFolderFiles(folder, "");
    // A raster that a calibration file names is that map, listed once.
    std::set<std::string, std::less<>> claimed;
    const auto claim = [&claimed](const std::optional<std::string>& image) {
        if (image)
            claimed.insert(lowerCase(*image));
    };
    for (const std::string& file : files) {
        if (extensionOf(file) == ".cal")
            claim(searchCalFile(folder, file));
    }
    for (const std::string& file : files) {
        if (extensionOf(file) == ".map")
            claim(searchRasterFile(folder, file));
    }
    for (const std::string& file : files) {
        if (isRasterExtension(extensionOf(file)) && !claimed.contains(lowerCase(file)))
            (void)searchRasterFile(folder, file);
    }
}

std::optional<std::string> cl_MapList::searchCalFile(const std::string& folder, const std::string& file)
{
    cl_Map map;
    // A file without a name line is listed under its file name rather than
    // as a blank entry that the settings could not keep.
    std::string name = file.substr(0, file.rfind('.'));
    if (!map.loadCalFile(joinFolderFile(folder, file), name))
        return std::nullopt;
    std::string image = toUtf8(toFsPath(map.getBitmapPath()).filename());
    addFound(std::move(map), name);
    return image;
}

std::optional<std::string> cl_MapList::searchRasterFile(const std::string& folder, const std::string& file)
{
    cl_Map map;
    std::string name = file;
    if (map.loadRasterFile(joinFolderFile(folder, file), name) != cl_Map::RasterLoad::kLoaded)
        return std::nullopt;
    std::string image = map.bitmapFileName();
    addFound(std::move(map), name);
    return image;
}

void cl_MapList::addFound(cl_Map map, const std::string& name)
{
    const auto known = working_.find(name);
    if (known != working_.end() && known->second->status() != kStatusUnread) {
        known->second->setFound(1);
        return;
    }
    if (!map.prepareForUse())
        return;
    map.setStatus(kStatusUnchecked);
    if (known != working_.end())
        *known->second = map; // an unread record gains its data, keeping its holders
    else
        working_.emplace(name, std::make_shared<cl_Map>(std::move(map)));
}

void cl_MapList::toggle(int row)
{
    if (!recordAt(row) || toggleChecked(row) || entries_[row].icon != kStatusCurrent)
        return;
    uncheckCurrent(row);
    selected_ = nullptr;
}

void cl_MapList::show(int row)
{
    MapRecord record = recordAt(row);
    if (!record)
        return;
    makeRowCurrent(row);
    selected_ = record;
    if (mapShown_)
        mapShown_();
}

void cl_MapList::rename(int row)
{
    MapRecord record = recordAt(row);
    if (!record)
        return;
    const std::optional<std::string> typed = askNewName(entries_[row].text);
    if (!typed)
        return;
    // The list shows the name as the file keeps it.
    const std::string newName = withoutControlCharacters(*typed);
    if (!record->isCalibrated() || !acceptsNewName(row, newName) || !cl_Map::renameCalFile(record->calPath(), newName))
        return;
    record->setMapName(newName);
    renameRow(row, newName);
}

void cl_MapList::remove(int row)
{
    if (recordAt(row))
        askAndRemoveRow(row, strings::kDeleteMapQuestion);
}

std::optional<PropertiesText> cl_MapList::properties(int row) const
{
    const MapRecord record = recordAt(row);
    if (!record)
        return std::nullopt;
    const std::string path = record->getBitmapPath();
    std::string body = strings::tr(strings::kPropertyPath) + path + "\n";
    const BitmapInfo bitmap = record->getBitmapInfo();
    const std::optional<FileFacts> facts = lookUpFile(path);
    if (!facts) {
        body += strings::tr(strings::kFileNotFound) + "\n";
    } else {
        body += strings::tr(strings::kPropertyDate) + facts->date + "\n";
        body += strings::tr(strings::kPropertyWidth) + std::to_string(bitmap.width) + "\n";
        body += strings::tr(strings::kPropertyHeight) + std::to_string(bitmap.height) + "\n";
        body += strings::tr(strings::kPropertySize) + std::to_string(facts->size / 1024) + " kB\n";
        body += strings::tr(strings::kPropertyColor) + std::to_string(bitmap.bitsPixel) + " bpp\n";
    }
    const MapGeoreference& georeference = record->georeference();
    body += strings::tr(strings::kPropertySystem) + georeference.coordinateSystem() + "\n";
    body += replacePlaceholder(strings::tr(strings::kPropertyScale), formatFixed(georeference.metresPerPixel(), 0, 2)) +
            "\n";
    const std::vector<double> residuals = record->extraPointResiduals();
    for (std::size_t i = 0; i < residuals.size(); ++i)
        body += replacePlaceholders(strings::tr(strings::kPropertyPointOff),
                                    {std::to_string(i + 3), formatFixed(residuals[i], 0, 1)}) +
                "\n";
    return PropertiesText{entries_[row].text, body};
}

MapRecord cl_MapList::listedMapContaining(const cl_RefPoint& position) const
{
    for (int row = 0; row < static_cast<int>(entries_.size()); ++row) {
        const int icon = entries_[row].icon;
        const MapRecord map = recordAt(row);
        cl_RefPoint candidate = position;
        if (map && (icon == kStatusChecked || icon == kStatusCurrent) && map->refPointToPixel(candidate))
            return map;
    }
    return nullptr;
}

void cl_MapList::selectRecord(const MapRecord& map)
{
    for (int row = 0; row < static_cast<int>(entries_.size()); ++row) {
        if (recordAt(row) == map) {
            makeRowCurrent(row);
            selected_ = map;
            return;
        }
    }
}

void cl_MapList::setSelected(MapRecord map)
{
    selected_ = std::move(map);
    selectedFlag_ = true;
}

} // namespace rovanta
