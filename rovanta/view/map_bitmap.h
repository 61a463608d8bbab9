// A map's bitmap, ready to paint without decoding it whole. Uncompressed
// BMPs are memory-mapped and their rows wrapped in place; anything else
// Qt can read is decoded once.
#pragma once

#include "map/bmp_header.h"

#include <QFile>
#include <QImage>
#include <QList>
#include <QRect>
#include <memory>
#include <string>

namespace rovanta {

/// Part of a bitmap's rows, in stored order.
struct BitmapWindow {
    /// Convertible to Format_RGB32 by QImage::convertToFormat; refers to
    /// the mapping or the decoded image where the format allows, so it must
    /// not outlive its MapBitmap.
    QImage image;
    /// Stored position (column, row) of the image's top-left pixel. Lies at
    /// or before the rectangle asked for: 1-bit rows start on a byte.
    QPoint origin;
};

class MapBitmap {
public:
    /// A bitmap, or why there is none.
    struct Opened {
        std::unique_ptr<MapBitmap> bitmap;
        BmpFault fault = BmpFault::kNone;
    };

    /// Maps or decodes the file at `path` (the name's bytes as the file
    /// system has them); never throws.
    static Opened open(const std::string& path);
    /// The bitmap of open, if any.
    static std::unique_ptr<MapBitmap> load(const std::string& path) { return open(path).bitmap; }

    ~MapBitmap();
    MapBitmap(const MapBitmap&) = delete;
    MapBitmap& operator=(const MapBitmap&) = delete;

    /// Pixels, each at least 1.
    int width() const { return width_; }
    int height() const { return height_; }
    /// True when stored row 0 is the bitmap's bottom row (the usual BMP
    /// order, and the map's own y axis); false when it is the top row.
    bool bottomUp() const { return bottomUp_; }
    /// True when the pixels are read from a mapping of the file.
    bool isMapped() const { return mapped_ != nullptr; }

    /// The stored rows and columns of `stored` (clipped to the bitmap),
    /// without copying where the pixel format allows; 4-bit rows and 32-bit
    /// rows (whose fourth byte is not alpha) are converted, only within the
    /// window. Safe to call from any thread. Nothing once the file has
    /// been cut short under the mapping: reading past its new end would
    /// kill the program.
    BitmapWindow window(const QRect& stored) const;

private:
    /// How stored rows become a window's image.
    enum class Rows {
        kWrapped,  ///< in place, in format_
        kNibbles,  ///< 4-bit indices widened to Format_Indexed8
        kOpaque32, ///< B, G, R, unused made Format_RGB32 with alpha 0xFF
    };

    MapBitmap() = default;
    bool openFile(const std::string& path);
    bool wrapMapping(const BmpHeader& header);
    bool decodeWithQt();
    BitmapWindow wrappedWindow(const QRect& clipped) const;
    BitmapWindow nibbleWindow(const QRect& clipped) const;
    BitmapWindow opaque32Window(const QRect& clipped) const;
    bool rowsStillInFile() const;

    QFile file_;
    uchar* mapped_ = nullptr;
    qint64 mappedEnd_ = 0; ///< bytes of the file the rows need
    QImage decoded_;
    const uchar* rows_ = nullptr; ///< first stored row
    qsizetype stride_ = 0;        ///< bytes per stored row
    QImage::Format format_ = QImage::Format_Invalid;
    Rows rowsKind_ = Rows::kWrapped;
    QList<QRgb> colors_;
    int bitsPerPixel_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool bottomUp_ = false;
};

} // namespace rovanta
