#include "png_output.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

namespace rovanta::shots {
namespace {

constexpr std::size_t kPaletteSize = 256;

struct Colour {
    QRgb rgb;
    qint64 count;
};

int channel(QRgb rgb, int which)
{
    switch (which) {
    case 0:
        return qRed(rgb);
    case 1:
        return qGreen(rgb);
    default:
        return qBlue(rgb);
    }
}

// Every colour of the opaque image with its pixel count, ordered by value
// so that the palettes do not depend on hashing.
std::vector<Colour> histogram(const QImage& image)
{
    std::unordered_map<QRgb, qint64> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[line[x] | 0xff000000u];
    }
    std::vector<Colour> colours;
    colours.reserve(counts.size());
    for (const auto& [rgb, count] : counts)
        colours.push_back({rgb, count});
    std::ranges::sort(colours, {}, &Colour::rgb);
    return colours;
}

// A run of `colours` that becomes one palette entry.
struct Box {
    std::size_t begin;
    std::size_t end;
    qint64 count = 0;
    int widest = 0; ///< the channel with the largest range
    int range = 0;

    explicit Box(const std::vector<Colour>& colours, std::size_t first, std::size_t last) : begin(first), end(last)
    {
        std::array<int, 3> low{255, 255, 255};
        std::array<int, 3> high{0, 0, 0};
        for (std::size_t i = begin; i < end; ++i) {
            count += colours[i].count;
            for (int c = 0; c < 3; ++c) {
                low[c] = std::min(low[c], channel(colours[i].rgb, c));
                high[c] = std::max(high[c], channel(colours[i].rgb, c));
            }
        }
        for (int c = 0; c < 3; ++c) {
            if (high[c] - low[c] > range) {
                range = high[c] - low[c];
                widest = c;
            }
        }
    }
    // Large boxes of many pixels go first: flat window colours keep an
    // entry of their own, rare shades of the map share theirs.
    qint64 priority() const { return end - begin > 1 ? count * range : -1; }
};

// Median cut: boxes are split at the pixel-weighted median of their widest
// channel until the palette has `size` colours.
QList<QRgb> medianCut(std::vector<Colour> colours, std::size_t size)
{
    std::vector<Box> boxes{Box(colours, 0, colours.size())};
    while (boxes.size() < size) {
        const auto largest = std::ranges::max_element(boxes, {}, &Box::priority);
        if (largest->priority() < 0)
            break;
        const Box box = *largest;
        const auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.begin);
        const auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
        std::stable_sort(first, last, [c = box.widest](const Colour& a, const Colour& b) {
            return channel(a.rgb, c) < channel(b.rgb, c);
        });
        std::size_t split = box.begin;
        for (qint64 seen = 0; split < box.end - 1 && seen + colours[split].count <= box.count / 2; ++split)
            seen += colours[split].count;
        split = std::max(split, box.begin + 1);
        *largest = Box(colours, box.begin, split);
        boxes.emplace_back(colours, split, box.end);
    }
    QList<QRgb> palette;
    for (const Box& box : boxes) {
        std::array<qint64, 3> sum{};
        for (std::size_t i = box.begin; i < box.end; ++i) {
            for (int c = 0; c < 3; ++c)
                sum[c] += channel(colours[i].rgb, c) * colours[i].count;
        }
        const auto mean = [&](int c) { return static_cast<int>((sum[c] + box.count / 2) / box.count); };
        palette.append(qRgb(mean(0), mean(1), mean(2)));
    }
    return palette;
}

QByteArray encode(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Quality 0 is the strongest compression.
    image.save(&buffer, "PNG", 0);
    return bytes;
}

QByteArray encodeSmall(const QImage& image)
{
    if (image.hasAlphaChannel())
        return encode(image.convertToFormat(QImage::Format_ARGB32));
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<Colour> colours = histogram(rgb);
    if (colours.size() <= kPaletteSize) {
        QList<QRgb> exact;
        for (const Colour& colour : colours)
            exact.append(colour.rgb);
        return encode(rgb.convertToFormat(QImage::Format_Indexed8, exact, Qt::ThresholdDither));
    }
    QByteArray bytes = encode(rgb);
    // Fewer colours until the file is small enough; no dithering, which
    // would speckle the flat window colours and cost bytes besides.
    for (const std::size_t size : {256, 192, 128, 96, 64}) {
        if (bytes.size() <= kMaxPngBytes)
            break;
        bytes = encode(rgb.convertToFormat(QImage::Format_Indexed8, medianCut(colours, size), Qt::ThresholdDither));
    }
    return bytes;
}

} // namespace

bool writePng(const QImage& image, const QString& path)
{
    const QByteArray bytes = encodeSmall(image);
    QFile file(path);
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace rovanta::shots
