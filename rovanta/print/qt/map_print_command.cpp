#include "print/qt/map_print_command.h"

#include "dialogs/distances.h"
#include "ports/message.h"
#include "print/print_scale.h"
#include "resources/string_table.h"
#include "view/qt/raster_sheet.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace rovanta {
namespace {

// Fine enough for linework, small enough that a page's pixels stay near
// 35 MB on A4.
constexpr int kPrintResolution = 300;

double tourKilometres(cl_Tour& tour)
{
    double metres = 0.0;
    for (int i = 1; i < tour.getPointCount(); ++i) {
        const cl_RefPoint* a = tour.getPoint(i - 1);
        const cl_RefPoint* b = tour.getPoint(i);
        metres += distanceBetween(a->longitude, a->latitude, b->longitude, b->latitude);
    }
    return metres / 1000.0;
}

std::optional<PrintSheet> sheetOf(const cl_Map& map, std::shared_ptr<const SheetPixels> bitmap)
{
    if (!bitmap)
        return std::nullopt;
    return PrintSheet{sheetFrame(map, bitmap->width(), bitmap->height()), bitmapPixels(std::move(bitmap))};
}

// A sheet of another zone, placed page by page; nothing when it cannot be
// placed around the printed ground (zones apart), so its pixels are not
// opened in vain.
std::optional<PrintSheet> otherZoneSheet(const MapRecord& printMap, const MapRecord& other, const SheetFrame& frame,
                                         const GroundRect& extent)
{
    const IPoint size = other->cornerPoint(1).pixel;
    if (size.x <= 0 || size.y <= 0 || !frameAround(*other, size.x, size.y, *printMap, frame, extent))
        return std::nullopt;
    std::optional<PrintSheet> sheet = sheetOf(*other, openSheetForReading(other->getBitmapPath()));
    if (sheet) {
        sheet->placedOn = [printMap, other, frame, size](const GroundRect& page) {
            return frameAround(*other, size.x, size.y, *printMap, frame, page);
        };
    }
    return sheet;
}

std::string faultText(LayoutFault fault)
{
    return strings::tr(fault == LayoutFault::kTooManyPages ? strings::kTooManyPages : strings::kOverlapTooLarge);
}

} // namespace

MapPrintRequest mapPrintRequest(const MapPrintSource& source, const MapPrintChoice& choice)
{
    MapPrintRequest request;
    request.denominator = choice.denominator;
    request.overlap = choice.overlap;
    request.grid = choice.grid;
    request.sheetName = source.map->mapName();
    const BitmapInfo info = source.map->getBitmapInfo();
    const SheetFrame frame = sheetFrame(*source.map, info.width, info.height);

    if (source.tour && source.tour->getPointCount() > 0) {
        for (int i = 0; i < source.tour->getPointCount(); ++i) {
            if (const auto ground = groundOf(*source.tour->getPoint(i), frame))
                request.tour.push_back(*ground);
        }
        request.tourName = source.tour->name();
        request.tourKilometres = tourKilometres(*source.tour);
    }
    if (!request.tour.empty()) {
        request.extent = boundsOf(request.tour, kTourMargin * choice.denominator / 1000.0);
    } else {
        std::vector<GroundPoint> corners;
        for (const IPoint& p : source.windowCorners)
            corners.push_back(frame.toGround(p.x, p.y));
        request.extent = boundsOf(corners, 0.0);
    }

    for (const MapRecord& other : source.otherMaps) {
        if (other->utmZone() == frame.zone) {
            if (auto sheet = sheetOf(*other, openSheetForReading(other->getBitmapPath())))
                request.sheets.push_back(std::move(*sheet));
        } else if (auto sheet = otherZoneSheet(source.map, other, frame, request.extent)) {
            request.sheets.push_back(std::move(*sheet));
        }
    }
    if (auto sheet = sheetOf(*source.map, source.bitmap))
        request.sheets.push_back(std::move(*sheet));

    const cl_RefPoint& centre = source.map->centrePoint();
    request.convergence = gridConvergence(centre.longitude, centre.latitude, frame.zone);
    return request;
}

MapPrintCommand::MapPrintCommand(QWidget* parent)
    : ask_([parent](int sheetScale) { return askMapPrintChoice(sheetScale, parent); }),
      setup_([parent](QPrinter& printer) {
          QPrintDialog dialog(&printer, parent);
          return dialog.exec() == QDialog::Accepted;
      }),
      preview_([parent](QPrinter& printer, const std::function<void(QPrinter&)>& paint) {
          QPrintPreviewDialog dialog(&printer, parent);
          QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                           [&paint](QPrinter* target) { paint(*target); });
          dialog.exec();
      })
{
}

void MapPrintCommand::run(const MapPrintSource& source)
{
    if (!source.map) {
        showMessage(strings::tr(strings::kNoSelectedMapFound), kMessageOk);
        return;
    }
    const std::optional<MapPrintChoice> choice = ask_(sheetScale(source.map->scale()));
    if (!choice)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(kPrintResolution);
    if (!setup_(printer))
        return;
    const MapPrinter mapPrinter(mapPrintRequest(source, *choice));
    if (const LayoutFault fault = mapPrinter.layoutFor(printer).fault; fault != LayoutFault::kNone) {
        showMessage(faultText(fault), kMessageOk);
        return;
    }
    preview_(printer, [&mapPrinter](QPrinter& target) {
        if (!mapPrinter.print(target))
            showMessage(strings::tr(strings::kPrintingNotPossible), kMessageOk);
    });
}

} // namespace rovanta
