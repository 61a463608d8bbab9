// Draws the two sample sheets of a fictional alpine valley, their calibration
// files and a sample tour that crosses from one sheet to the other.
// Usage: rovanta_make_sample_maps OUTPUT_FOLDER
#include "bmp_writer.h"
#include "features.h"
#include "georeferenced_files.h"
#include "layout.h"
#include "palette.h"
#include "plan.h"
#include "sheet_frame.h"
#include "terrain.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char** argv)
{
    using namespace sample_maps;
    namespace fs = std::filesystem;

    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // fonts need a GUI application, not a display
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // decimal points in every file, whatever the user's locale
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path folder = argv[1];
    fs::create_directories(folder);

    const Plan plan = planWorld();
    std::vector<QImage> images;
    for (const Sheet& sheet : kSheets) {
        QImage image = drawTerrain(sheet);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawWater(painter, sheet);
        drawGrid(painter, sheet);
        drawSettlements(painter, sheet, plan);
        drawTitle(painter, sheet);
        painter.end();
        images.push_back(std::move(image));
    }
    const std::vector<QRgb> palette = buildPalette(images);
    const std::vector<std::uint8_t> lut = nearestIndex(palette);
    for (std::size_t i = 0; i < kSheets.size(); ++i) {
        writeBmp(folder / (std::string(kSheets[i].file) + ".bmp"), images[i], palette, lut);
        writeCal(folder, kSheets[i]);
    }
    writeTour(folder, plan);
    std::printf("wrote 2 sheets and a tour of %zu points to %s\n", plan.tour.size(), folder.string().c_str());
    return 0;
}
