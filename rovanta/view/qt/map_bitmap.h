// A map's bitmap, ready to paint without decoding it whole. Uncompressed
// BMPs stay in the file: each window reads just its rows and columns, so
// another program cutting, replacing or deleting the file meanwhile costs
// a blank view, never the program. Anything else Qt can read is decoded
// once.
#pragma once

#include "common/positional_file.h"
#include "map/bmp_header.h"
#include "view/qt/sheet_pixels.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <atomic>
#include <memory>
#include <string>

namespace rovanta {

class MapBitmap : public SheetPixels {
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

    ~MapBitmap() override;
    MapBitmap(const MapBitmap&) = delete;
    MapBitmap& operator=(const MapBitmap&) = delete;

    /// Pixels, each at least 1.
    int width() const override { return width_; }
    int height() const override { return height_; }
    /// True when stored row 0 is the bitmap's bottom row (the usual BMP
    /// order, and the map's own y axis); false when it is the top row.
    bool bottomUp() const override { return bottomUp_; }
    /// True when the pixels are read from the file as windows ask for
    /// them; false when they were decoded at once.
    bool readsFile() const { return file_ != nullptr; }
    /// True once the file is found cut short, replaced, deleted or written
    /// to since it was opened (looked at anew on each call); every window
    /// is empty from then on.
    bool unreadable() const override;
    /// The view builds a pyramid for it.
    bool hasOwnReductions() const override { return false; }

    /// Every `step`-th stored row and column of `stored` (clipped to the
    /// bitmap), from its top-left corner on. Rows read from the file keep
    /// their stored bytes where the format allows; 4-bit rows, 32-bit rows
    /// (whose fourth byte is not alpha) and sampled 1-bit rows are
    /// converted. A decoded bitmap ignores `step` and wraps its rows. Safe
    /// to call from any thread.
    BitmapWindow window(const QRect& stored, int step = 1) const override;

private:
    /// How stored rows become a window's image.
    enum class Rows {
        kWrapped,  ///< as stored, in format_
        kNibbles,  ///< 4-bit indices widened to Format_Indexed8
        kOpaque32, ///< B, G, R, unused made Format_RGB32 with alpha 0xFF
    };

    MapBitmap() = default;
    [[nodiscard]] bool openRows(const std::string& path, const BmpHeader& header);
    [[nodiscard]] bool decodeWithQt(const std::string& path);
    BitmapWindow decodedWindow(const QRect& clipped) const;
    BitmapWindow storedRowsWindow(const QRect& clipped) const;
    BitmapWindow convertedWindow(const QRect& clipped, int step) const;
    void convertRow(const uchar* source, int skip, int step, int count, uchar* target) const;
    BitmapWindow failed() const;

    std::unique_ptr<PositionalFile> file_;
    std::uint64_t rowsOffset_ = 0; ///< byte of the file where the first stored row starts
    mutable std::atomic<bool> unreadable_{false};
    QImage decoded_;
    qsizetype stride_ = 0; ///< bytes per stored row
    QImage::Format format_ = QImage::Format_Invalid;
    Rows rowsKind_ = Rows::kWrapped;
    QList<QRgb> colors_;
    int bitsPerPixel_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool bottomUp_ = false;
};

} // namespace rovanta
