// A bitmap as the map view shows it: opened (mapped or decoded), then
// painted at a few zooms, with and without its pyramid, into an image.
#include "fuzz_input.h"
#include "view/qt/bitmap_painter.h"
#include "view/qt/map_bitmap.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <future>

namespace {

void paintAt(const rovanta::MapBitmap& bitmap, const rovanta::BitmapPyramid* pyramid, double zoom)
{
    QImage canvas(96, 64, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    const QRect target(-8, -8, static_cast<int>(bitmap.width() * zoom), static_cast<int>(bitmap.height() * zoom));
    rovanta::paintBitmap(painter, canvas.rect(), target, zoom, bitmap, pyramid);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QGuiApplication* const app = [] {
        static int argc = 1;
        static char name[] = "fuzz_map_bitmap";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;

    const auto file = rovanta::fuzz::writeScratch("map.bmp", rovanta::fuzz::bytesOf(data, size));
    std::shared_ptr<const rovanta::MapBitmap> bitmap =
        rovanta::MapBitmap::open(file.string()).bitmap;
    if (!bitmap)
        return 0;
    for (double zoom : {1.0, 2.5, 0.8, 0.3})
        paintAt(*bitmap, nullptr, zoom);
    std::promise<void> built;
    rovanta::BitmapPyramid pyramid(bitmap, [&built] { built.set_value(); });
    built.get_future().wait();
    for (double zoom : {0.3, 0.04})
        paintAt(*bitmap, &pyramid, zoom);
    return 0;
}
