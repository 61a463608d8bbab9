#include "palette.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace sample_maps {

// Median cut over 5-bit-per-channel bins of all sheets together, so both
// sheets share one palette and match where they meet. Counts enter by their
// square root, or the large meadows would take every entry from the thin
// lines and labels.
std::vector<QRgb> buildPalette(const std::vector<QImage>& images)
{
    std::vector<double> weight(32768, 0.0);
    for (const QImage& image : images)
        for (int r = 0; r < image.height(); ++r) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(r));
            for (int c = 0; c < image.width(); ++c)
                weight[(qRed(line[c]) >> 3) << 10 | (qGreen(line[c]) >> 3) << 5 | qBlue(line[c]) >> 3] += 1;
        }
    const auto channel = [](int bin, int ch) { return bin >> (10 - 5 * ch) & 31; };
    std::vector<std::vector<int>> boxes(1);
    for (int bin = 0; bin < 32768; ++bin)
        if (weight[bin] > 0) {
            weight[bin] = std::sqrt(weight[bin]);
            boxes[0].push_back(bin);
        }
    while (boxes.size() < 256) {
        // Split the heaviest box that still spans a range, along its widest channel.
        double bestScore = 0;
        int bestBox = -1, bestChannel = 0;
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            double total = 0;
            for (const int bin : boxes[b])
                total += weight[bin];
            for (int ch = 0; ch < 3; ++ch) {
                const auto [lo, hi] = std::minmax_element(
                    boxes[b].begin(), boxes[b].end(), [&](int x, int y) { return channel(x, ch) < channel(y, ch); });
                const double score = total * (channel(*hi, ch) - channel(*lo, ch));
                if (score > bestScore) {
                    bestScore = score;
                    bestBox = static_cast<int>(b);
                    bestChannel = ch;
                }
            }
        }
        if (bestBox < 0)
            break;
        std::vector<int>& box = boxes[bestBox];
        std::sort(box.begin(), box.end(), [&](int x, int y) {
            return channel(x, bestChannel) < channel(y, bestChannel) ||
                   (channel(x, bestChannel) == channel(y, bestChannel) && x < y);
        });
        double half = 0, total = 0;
        for (const int bin : box)
            total += weight[bin];
        std::size_t cut = 0;
        while (cut + 1 < box.size() && (half += weight[box[cut]]) < total / 2)
            ++cut;
        cut = std::max<std::size_t>(cut, 1);
        // Bins of the same channel value stay together so the boxes do not overlap.
        while (cut < box.size() && channel(box[cut], bestChannel) == channel(box[cut - 1], bestChannel))
            ++cut;
        if (cut == box.size())
            cut = 1;
        boxes.emplace_back(box.begin() + static_cast<std::ptrdiff_t>(cut), box.end());
        boxes[bestBox].resize(cut);
    }
    std::vector<QRgb> palette;
    for (const std::vector<int>& box : boxes) {
        double sum[3] = {0, 0, 0}, total = 0;
        for (const int bin : box) {
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] += weight[bin] * (channel(bin, ch) * 8 + 4);
            total += weight[bin];
        }
        palette.push_back(qRgb(static_cast<int>(std::lround(sum[0] / total)),
                               static_cast<int>(std::lround(sum[1] / total)),
                               static_cast<int>(std::lround(sum[2] / total))));
    }
    palette.resize(256, qRgb(0, 0, 0));
    return palette;
}

std::vector<std::uint8_t> nearestIndex(const std::vector<QRgb>& palette)
{
    std::vector<std::uint8_t> lut(32768);
    for (int bin = 0; bin < 32768; ++bin) {
        const int r = (bin >> 10) * 8 + 4, g = (bin >> 5 & 31) * 8 + 4, b = (bin & 31) * 8 + 4;
        int best = 0, bestDistance = 1 << 30;
        for (int i = 0; i < 256; ++i) {
            const int dr = qRed(palette[i]) - r, dg = qGreen(palette[i]) - g, db = qBlue(palette[i]) - b;
            const int d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        lut[bin] = static_cast<std::uint8_t>(best);
    }
    return lut;
}

} // namespace sample_maps
