// Tours in and out of the program as files: opening tours, GPX files and
// maps (from the menu, a drop or the command line), the recent tours, and
// exporting a tour as GPX, KML or CSV.
#pragma once

#include "dialogs/distances.h"
#include "editing/editor_view.h"
#include "editing/recent_tours.h"
#include "editing/tour_commands.h"
#include "editing/tour_editor.h"
#include "gpx/gpx_read.h"
#include "gpx/simplify.h"
#include "gpx/tour_export.h"
#include "manager/cl_manager.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace rovanta {

enum class FileKind { tour, gpx, map, unknown };
/// By the file's extension, in any letter case.
FileKind fileKindOf(std::string_view path);

/// Which path of a GPX file becomes the tour, and how far it is thinned.
struct ImportChoice {
    std::size_t path = 0;
    double tolerance = kDefaultSimplifyTolerance;
};
/// Asked for every import; nothing cancels it. `content` holds at least one path.
using ImportChooser = std::function<std::optional<ImportChoice>(const std::string& file, const GpxContent& content)>;

class TourTransfer {
public:
    /// All must outlive the transfer.
    TourTransfer(cl_Manager& manager, TourCommands& tours, TourEditor& editor, EditorView& view,
                 SettingsAccess& settings);
    TourTransfer(const TourTransfer&) = delete;
    TourTransfer& operator=(const TourTransfer&) = delete;

    /// Without a chooser the first path is taken at the default tolerance.
    void setImportChooser(ImportChooser chooser) { chooser_ = std::move(chooser); }
    /// Runs after every change of the recent list.
    void setRecentListener(std::function<void()> listener) { recentChanged_ = std::move(listener); }
    const RecentTours& recent() const { return recent_; }

    /// Runs an open, import, export or recent-tour command; false for any
    /// other id. CSV is written in `csvFormat`.
    bool onCommand(int id, DisplayFormat csvFormat);

    /// Opens by kind: a tour or GPX file becomes the tour being edited, a
    /// map is shown. False, after one message, when nothing changed.
    bool openFile(const std::string& path);
    bool openTour(const std::string& path);
    bool importGpx(const std::string& path);
    /// Registers the map's folder when the map is not known yet.
    bool showMap(const std::string& path);

    /// Asks for a file and writes the tour there. True when written.
    bool exportTour(const TourRecord& tour, ExportFormat format, DisplayFormat csvFormat);

    /// A tour file was written at `path`.
    void tourSaved(const std::string& path);

private:
    bool askAndOpen(bool gpxOnly);
    bool openRecent(std::size_t index);
    /// The unsaved-tour question; false when the user keeps the old tour.
    bool mayReplaceTour();
    /// The current tour to the first checked map holding its first point.
    void placeCurrentTour();
    MapRecord knownMap(const std::string& calPath) const;
    void remember(const std::string& path);

    cl_Manager& manager_;
    TourCommands& tours_;
    TourEditor& editor_;
    EditorView& view_;
    RecentTours recent_;
    ImportChooser chooser_;
    std::function<void()> recentChanged_;
};

} // namespace rovanta
