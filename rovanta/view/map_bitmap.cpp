#include "view/map_bitmap.h"

#include "common/file_names.h"

#include <QImageReader>
#include <QtEndian>

#include <optional>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rovanta {
namespace {

struct WrappedLayout {
    QImage::Format format = QImage::Format_Invalid;
    bool nibbles = false;
    bool opaque32 = false;
};

// The uncompressed layouts whose rows can be painted from the file itself
// (or, at 4 and 32 bits, cheaply widened per window).
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

} // namespace

MapBitmap::Opened MapBitmap::open(const std::string& path)
{
    BmpRead read = inspectBmpHeader(toFsPath(path));
    if (!read.header)
        return {nullptr, read.fault};
    std::unique_ptr<MapBitmap> bitmap(new MapBitmap);
    if (!bitmap->openFile(path))
        return {nullptr, BmpFault::kUnreadable};
    // Qt reads every form of BMP the header check lets through, so a file
    // it refuses is broken.
    if (bitmap->wrapMapping(*read.header) || bitmap->decodeWithQt())
        return {std::move(bitmap), BmpFault::kNone};
    return {nullptr, BmpFault::kUnreadable};
}

MapBitmap::~MapBitmap() = default;

// A name that is not UTF-8 (a folder named on an older system) would not
// survive the way through a QString, so the bytes go to the system as they are.
bool MapBitmap::openFile(const std::string& path)
{
#if defined(Q_OS_UNIX)
    const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0)
        return false;
    if (file_.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(handle);
    return false;
#else
    file_.setFileName(QString::fromStdString(path));
    return file_.open(QIODevice::ReadOnly);
#endif
}

bool MapBitmap::wrapMapping(const BmpHeader& header)
{
    const std::optional<WrappedLayout> layout = wrappedLayout(header);
    if (!layout)
        return false;
    // The file may have changed since its header was read.
    const std::uint64_t end = header.pixelOffset + header.pixelBytes;
    if (static_cast<std::uint64_t>(file_.size()) < end)
        return false;
    uchar* mapped = file_.map(0, file_.size());
    if (mapped == nullptr)
        return false;

    colors_.clear();
    if (header.bitsPerPixel <= 8) {
        const uchar* entry = mapped + header.paletteOffset;
        for (std::uint32_t i = 0; i < header.paletteEntries; ++i, entry += header.paletteEntrySize)
            colors_.append(qRgb(entry[2], entry[1], entry[0]));
        padPalette(colors_, header.bitsPerPixel);
    }
    mapped_ = mapped;
    mappedEnd_ = static_cast<qint64>(end);
    rows_ = mapped + header.pixelOffset;
    stride_ = static_cast<qsizetype>(header.stride);
    format_ = layout->format;
    rowsKind_ = layout->nibbles ? Rows::kNibbles : layout->opaque32 ? Rows::kOpaque32 : Rows::kWrapped;
    bitsPerPixel_ = header.bitsPerPixel;
    width_ = header.width;
    height_ = header.height;
    bottomUp_ = !header.topDown;
    return true;
}

bool MapBitmap::decodeWithQt()
{
    // Qt's allocation limit stays: a huge compressed sheet is refused, not swapped in.
    if (!file_.seek(0))
        return false;
    QImageReader reader(&file_);
    QImage image = reader.read();
    file_.close();
    if (image.isNull())
        return false;
    decoded_ = std::move(image);
    rows_ = decoded_.constBits();
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

BitmapWindow MapBitmap::window(const QRect& stored) const
{
    const QRect clipped = stored & QRect(0, 0, width_, height_);
    if (clipped.isEmpty() || !rowsStillInFile())
        return {};
    switch (rowsKind_) {
    case Rows::kNibbles:
        return nibbleWindow(clipped);
    case Rows::kOpaque32:
        return opaque32Window(clipped);
    case Rows::kWrapped:
        break;
    }
    return wrappedWindow(clipped);
}

// Windows refuses to shorten a mapped file; elsewhere another program may,
// and the pages past the new end then fault instead of reading.
bool MapBitmap::rowsStillInFile() const
{
#if defined(Q_OS_UNIX)
    struct stat status {};
    if (mapped_ != nullptr && (::fstat(file_.handle(), &status) != 0 || status.st_size < mappedEnd_))
        return false;
#endif
    return true;
}

BitmapWindow MapBitmap::wrappedWindow(const QRect& clipped) const
{
    // Sub-byte pixels can only be wrapped from a byte boundary.
    const int pixelsPerByte = bitsPerPixel_ < 8 ? 8 / bitsPerPixel_ : 1;
    const int left = clipped.left() / pixelsPerByte * pixelsPerByte;
    const uchar* first = rows_ + clipped.top() * stride_ + qsizetype{left} * bitsPerPixel_ / 8;
    // The const-data constructor keeps the image read-only: nothing here may detach it.
    QImage image(first, clipped.right() + 1 - left, clipped.height(), stride_, format_);
    if (!colors_.isEmpty())
        image.setColorTable(colors_);
    return {image, QPoint(left, clipped.top())};
}

BitmapWindow MapBitmap::nibbleWindow(const QRect& clipped) const
{
    QImage image(clipped.size(), QImage::Format_Indexed8);
    if (image.isNull())
        return {};
    image.setColorTable(colors_);
    for (int y = 0; y < clipped.height(); ++y) {
        const uchar* source = rows_ + (clipped.top() + y) * stride_;
        uchar* target = image.scanLine(y);
        for (int x = 0; x < clipped.width(); ++x) {
            const int column = clipped.left() + x;
            const uchar pair = source[column / 2];
            target[x] = column % 2 != 0 ? pair & 0x0F : pair >> 4;
        }
    }
    return {image, clipped.topLeft()};
}

BitmapWindow MapBitmap::opaque32Window(const QRect& clipped) const
{
    QImage image(clipped.size(), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < clipped.height(); ++y) {
        const uchar* source = rows_ + (clipped.top() + y) * stride_ + qsizetype{clipped.left()} * 4;
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        // Writers leave the fourth byte 0; as alpha it would paint black.
        for (int x = 0; x < clipped.width(); ++x)
            target[x] = 0xFF000000u | (qFromLittleEndian<quint32>(source + 4 * x) & 0x00FFFFFFu);
    }
    return {image, clipped.topLeft()};
}

} // namespace rovanta
