// The maps page of the manager sheet: the known maps with their state
// icons, Search for calibration files, and the commands on one entry.
#pragma once

#include "manager/page_state.h"
#include "manager/record_page.h"
#include "manager/records.h"

#include <functional>
#include <optional>
#include <string>

namespace rovanta {

class cl_MapList : public RecordPage<cl_Map> {
public:
    /// `mapShown` runs when the user shows a map (the sheet then releases
    /// the current tour).
    cl_MapList(ActionButton& button, const std::string& folderList, MapCollection& store,
               std::function<void()> mapShown);

    void open() override;
    void refresh() override;
    /// Also makes the last map marked current the selected map.
    void commit() override;
    /// Maps are found by the name in their calibration file; rasters with
    /// their own georeference that no calibration file names, under their
    /// file name (an OziExplorer ".map" under its title).
    void search() override;
    void toggle(int row) override;
    void show(int row) override;
    /// Writes the new name into the calibration file; a raster's own
    /// georeference keeps its name.
    void rename(int row) override;
    void remove(int row) override;
    /// The bitmap's path, date, size and colour depth; the coordinate
    /// system, the scale and the residual of every extra reference point.
    std::optional<PropertiesText> properties(int row) const override;

    /// The selected map while the selected flag is set, else nothing.
    MapRecord selectedMap() const { return selectedFlag_ ? selected_ : nullptr; }
    /// The first listed checked or current map, in list order, that holds
    /// the position; nothing when none does.
    MapRecord listedMapContaining(const cl_RefPoint& position) const;
    /// Makes current the entry showing this very record, whatever its names.
    void selectRecord(const MapRecord& map);
    /// The view's map switch: this map is the selected one.
    void setSelected(MapRecord map);

private:
    void searchFolder(const std::string& folder);
    /// The file name of the bitmap the calibration file names, if it is one.
    std::optional<std::string> searchCalFile(const std::string& folder, const std::string& file);
    /// The file name of the image, when the raster is a map.
    std::optional<std::string> searchRasterFile(const std::string& folder, const std::string& file);
    void addFound(cl_Map map, const std::string& name);

    std::function<void()> mapShown_;
    MapRecord selected_;
    bool selectedFlag_ = false;
};

} // namespace rovanta
