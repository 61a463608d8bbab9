#include "view/qt/map_bitmap.h"

#include "common/file_names.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace rovanta {
namespace {

struct WrappedLayout {
    QImage::Format format = QImage::Format_Invalid;
    bool nibbles = false;
    bool opaque32 = false;
};

// The uncompressed layouts whose rows can be painted as stored (or, at 4
// and 32 bits, cheaply widened per window).
std::optional<WrappedLayout> wrappedLayout(const BmpHeader& h)
{
    if (h.compression != kBmpRgb && h.compression != kBmpBitfields && h.compression != kBmpAlphaBitfields)
        return std::nullopt;
    if (h.alphaMask != 0)
        return std::nullopt;
    const auto masksAre = [&h](std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
        return h.redMask == red && h.greenMask == green && h.blueMask == blue;
    };
    switch (h.bitsPerPixel) {
    case 1:
        return WrappedLayout{QImage::Format_Mono, false, false};
    case 4:
        return WrappedLayout{QImage::Format_Indexed8, true, false};
    case 8:
        return WrappedLayout{QImage::Format_Indexed8, false, false};
    case 16:
        if (masksAre(0x7C00, 0x03E0, 0x001F))
            return WrappedLayout{QImage::Format_RGB555, false, false};
        if (masksAre(0xF800, 0x07E0, 0x001F))
            return WrappedLayout{QImage::Format_RGB16, false, false};
        return std::nullopt;
    case 24:
        return WrappedLayout{QImage::Format_BGR888, false, false};
    case 32:
        if (masksAre(0xFF0000, 0x00FF00, 0x0000FF))
            return WrappedLayout{QImage::Format_RGB32, false, true};
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// Indices beyond a short colour table must still paint something.
void padPalette(QList<QRgb>& colors, int bitsPerPixel)
{
    if (bitsPerPixel <= 8 && colors.size() < (qsizetype{1} << bitsPerPixel))
        colors.resize(qsizetype{1} << bitsPerPixel, qRgb(0, 0, 0));
}

// A name that is not UTF-8 (a folder named on an older system) would not
// survive the way through a QString, so the bytes go to the system as they are.
bool openByBytes(QFile& file, const std::string& path)
{
#if defined(Q_OS_UNIX)
    const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0)
        return false;
    if (file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(handle);
    return false;
#else
    file.setFileName(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly);
#endif
}

} // namespace

MapBitmap::Opened MapBitmap::open(const std::string& path)
{
    BmpRead read = inspectBmpHeader(toFsPath(path));
    if (!read.header)
        return {nullptr, read.fault};
    std::unique_ptr<MapBitmap> bitmap(new MapBitmap);
    // Qt reads every form of BMP the header check lets through, so a file
    // it refuses is broken.
    if (bitmap->openRows(path, *read.header) || bitmap->decodeWithQt(path))
        return {std::move(bitmap), BmpFault::kNone};
    return {nullptr, BmpFault::kUnreadable};
}

MapBitmap::~MapBitmap() = default;

bool MapBitmap::openRows(const std::string& path, const BmpHeader& header)
{
    const std::optional<WrappedLayout> layout = wrappedLayout(header);
    if (!layout)
        return false;
    std::unique_ptr<PositionalFile> file = PositionalFile::open(toFsPath(path));
    // The file may have changed since its header was read.
    if (!file || file->size() < header.pixelOffset + header.pixelBytes)
        return false;

    colors_.clear();
    if (header.bitsPerPixel <= 8) {
        std::vector<uchar> palette(std::size_t{header.paletteEntries} * header.paletteEntrySize);
        if (!file->readAt(header.paletteOffset, palette.data(), palette.size()))
            return false;
        for (std::size_t entry = 0; entry < palette.size(); entry += header.paletteEntrySize)
            colors_.append(qRgb(palette[entry + 2], palette[entry + 1], palette[entry]));
        padPalette(colors_, header.bitsPerPixel);
    }
    file_ = std::move(file);
    rowsOffset_ = header.pixelOffset;
    stride_ = static_cast<qsizetype>(header.stride);
    format_ = layout->format;
    rowsKind_ = layout->nibbles ? Rows::kNibbles : layout->opaque32 ? Rows::kOpaque32 : Rows::kWrapped;
    bitsPerPixel_ = header.bitsPerPixel;
    width_ = header.width;
    height_ = header.height;
    bottomUp_ = !header.topDown;
    return true;
}

bool MapBitmap::decodeWithQt(const std::string& path)
{
    // Qt's allocation limit stays: a huge compressed sheet is refused, not swapped in.
    QFile file;
    if (!openByBytes(file, path))
        return false;
    QImageReader reader(&file);
    QImage image = reader.read();
    if (image.isNull())
        return false;
    decoded_ = std::move(image);
    stride_ = decoded_.bytesPerLine();
    format_ = decoded_.format();
    rowsKind_ = Rows::kWrapped;
    colors_ = decoded_.colorTable();
    bitsPerPixel_ = decoded_.depth();
    if (!colors_.isEmpty())
        padPalette(colors_, bitsPerPixel_);
    width_ = decoded_.width();
    height_ = decoded_.height();
    bottomUp_ = false;
    return true;
}

BitmapWindow MapBitmap::window(const QRect& stored, int step) const
{
    const QRect clipped = stored & QRect(0, 0, width_, height_);
    if (clipped.isEmpty())
        return {};
    if (!file_)
        return decodedWindow(clipped);
    if (unreadable())
        return {};
    if (step <= 1 && rowsKind_ == Rows::kWrapped)
        return storedRowsWindow(clipped);
    return convertedWindow(clipped, std::max(step, 1));
}

bool MapBitmap::unreadable() const
{
    if (unreadable_.load(std::memory_order_acquire))
        return true;
    // The size alone cannot tell a file rewritten in place or renamed over.
    if (file_ && !file_->unchanged())
        failed();
    return unreadable_.load(std::memory_order_acquire);
}

BitmapWindow MapBitmap::failed() const
{
    unreadable_.store(true, std::memory_order_release);
    return {};
}

BitmapWindow MapBitmap::decodedWindow(const QRect& clipped) const
{
    // Sub-byte pixels can only be wrapped from a byte boundary.
    const int pixelsPerByte = bitsPerPixel_ < 8 ? 8 / bitsPerPixel_ : 1;
    const int left = clipped.left() / pixelsPerByte * pixelsPerByte;
    const uchar* first = decoded_.constBits() + clipped.top() * stride_ + qsizetype{left} * bitsPerPixel_ / 8;
    // The const-data constructor keeps the image read-only: nothing here may detach it.
    QImage image(first, clipped.right() + 1 - left, clipped.height(), stride_, format_);
    if (!colors_.isEmpty())
        image.setColorTable(colors_);
    return {image, QPoint(left, clipped.top())};
}

BitmapWindow MapBitmap::storedRowsWindow(const QRect& clipped) const
{
    const int pixelsPerByte = bitsPerPixel_ < 8 ? 8 / bitsPerPixel_ : 1;
    const int left = clipped.left() / pixelsPerByte * pixelsPerByte;
    QImage image(clipped.right() + 1 - left, clipped.height(), format_);
    if (image.isNull())
        return {};
    const std::uint64_t first =
        rowsOffset_ + std::uint64_t(clipped.top()) * stride_ + std::uint64_t(left) * bitsPerPixel_ / 8;
    // Whole rows lie in the file as in the image, padding included: one read.
    bool read = image.bytesPerLine() == stride_ && left == 0;
    if (read) {
        read = file_->readAt(first, image.bits(), std::size_t(image.sizeInBytes()));
    } else {
        const std::size_t rowBytes = (std::size_t(image.width()) * bitsPerPixel_ + 7) / 8;
        read = true;
        for (int y = 0; y < image.height() && read; ++y)
            read = file_->readAt(first + std::uint64_t(y) * stride_, image.scanLine(y), rowBytes);
    }
    if (!read)
        return failed();
    if (!colors_.isEmpty())
        image.setColorTable(colors_);
    return {image, QPoint(left, clipped.top())};
}

BitmapWindow MapBitmap::convertedWindow(const QRect& clipped, int step) const
{
    const bool indexed = rowsKind_ == Rows::kNibbles || bitsPerPixel_ == 1;
    const QImage::Format format = rowsKind_ == Rows::kOpaque32 ? QImage::Format_RGB32
                                  : indexed                    ? QImage::Format_Indexed8
                                                               : format_;
    QImage image((clipped.width() + step - 1) / step, (clipped.height() + step - 1) / step, format);
    if (image.isNull())
        return {};
    if (!colors_.isEmpty())
        image.setColorTable(colors_);
    // The bytes from the first pixel's to the last's; a sub-byte first
    // pixel may sit inside its byte.
    const std::size_t firstByte = std::size_t(clipped.left()) * bitsPerPixel_ / 8;
    const std::size_t endByte = (std::size_t(clipped.right() + 1) * bitsPerPixel_ + 7) / 8;
    const int skip = clipped.left() - int(firstByte * 8 / bitsPerPixel_);
    std::vector<uchar> row(endByte - firstByte);
    for (int y = 0; y < image.height(); ++y) {
        const std::uint64_t storedRow = std::uint64_t(clipped.top()) + std::uint64_t(y) * step;
        if (!file_->readAt(rowsOffset_ + storedRow * stride_ + firstByte, row.data(), row.size()))
            return failed();
        convertRow(row.data(), skip, step, image.width(), image.scanLine(y));
    }
    return {image, clipped.topLeft(), step};
}

// Pixels skip, skip + step, … of `source` into `count` pixels of `target`.
void MapBitmap::convertRow(const uchar* source, int skip, int step, int count, uchar* target) const
{
    const auto column = [skip, step](int x) { return skip + x * step; };
    if (rowsKind_ == Rows::kOpaque32) {
        auto* pixels = reinterpret_cast<QRgb*>(target);
        // Writers leave the fourth byte 0; as alpha it would paint black.
        for (int x = 0; x < count; ++x)
            pixels[x] = 0xFF000000u | (qFromLittleEndian<quint32>(source + 4 * column(x)) & 0x00FFFFFFu);
    } else if (bitsPerPixel_ == 1) {
        for (int x = 0; x < count; ++x)
            target[x] = (source[column(x) / 8] >> (7 - column(x) % 8)) & 1;
    } else if (bitsPerPixel_ == 4) {
        for (int x = 0; x < count; ++x) {
            const uchar pair = source[column(x) / 2];
            target[x] = column(x) % 2 != 0 ? pair & 0x0F : pair >> 4;
        }
    } else {
        const int bytes = bitsPerPixel_ / 8;
        for (int x = 0; x < count; ++x)
            std::memcpy(target + x * bytes, source + column(x) * bytes, std::size_t(bytes));
    }
}

} // namespace rovanta
