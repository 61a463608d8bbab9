// File → Print Map…: asks for the scale, then the platform's print dialog,
// then shows the pages in a preview from which they are printed. What is
// printed is the tour with a margin or, without a tour, the window's area.
#pragma once

#include "manager/records.h"
#include "print/qt/map_printer.h"
#include "print/qt/print_map_dialog.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;

namespace rovanta {

class SheetPixels;

/// What the view shows: the map, its bitmap, the tour, the other checked
/// maps, and the map pixels (y up) of the window's corners.
struct MapPrintSource {
    MapRecord map;
    std::shared_ptr<const SheetPixels> bitmap;
    TourRecord tour;
    std::vector<MapRecord> otherMaps;
    std::vector<IPoint> windowCorners;
};

/// Paper around the tour, mm: its first and last points stay off the edge.
inline constexpr double kTourMargin = 15.0;

/// The printout's content for a choice; the other maps go beneath the
/// map, those in another UTM zone are left out.
MapPrintRequest mapPrintRequest(const MapPrintSource& source, const MapPrintChoice& choice);

class MapPrintCommand {
public:
    using ChoiceAsker = std::function<std::optional<MapPrintChoice>(int sheetScale)>;
    using PrintSetup = std::function<bool(QPrinter&)>;
    /// Shows the pages `paint` draws on the printer; prints them when the
    /// user asks to.
    using Preview = std::function<void(QPrinter&, const std::function<void(QPrinter&)>& paint)>;

    explicit MapPrintCommand(QWidget* parent);

    void run(const MapPrintSource& source);

    /// Replace the dialogs; for tests.
    void setChoiceAsker(ChoiceAsker ask) { ask_ = std::move(ask); }
    void setPrintSetup(PrintSetup setup) { setup_ = std::move(setup); }
    void setPreview(Preview preview) { preview_ = std::move(preview); }

private:
    ChoiceAsker ask_;
    PrintSetup setup_;
    Preview preview_;
};

} // namespace rovanta
