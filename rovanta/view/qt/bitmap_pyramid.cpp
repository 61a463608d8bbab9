#include "view/qt/bitmap_pyramid.h"

#include <QRect>

#include <algorithm>
#include <cmath>
#include <utility>

namespace rovanta {

namespace {

using Pixel = quint32;

// Blue, red and green each get a 16-bit lane, so four pixels add up in one
// integer without a channel carrying into its neighbour.
inline quint64 spread(Pixel p)
{
    return (p & 0x00FF00FFu) | (quint64{p & 0x0000FF00u} << 24);
}

inline Pixel roundedQuarter(quint64 sum)
{
    const quint64 mean = ((sum + 0x0000000200020002ull) >> 2) & 0x000000FF00FF00FFull;
    return Pixel(mean) | Pixel(mean >> 24) | 0xFF000000u;
}

inline Pixel swapRedBlue(Pixel p)
{
    return (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
}

// An odd last column pairs with itself, so a border keeps its own colour
// instead of fading towards whatever lies beyond the bitmap.
template <bool kSwapRedBlue> void halveRowPair(const Pixel* top, const Pixel* bottom, int inWidth, Pixel* out)
{
    const auto store = [](Pixel p) { return kSwapRedBlue ? swapRedBlue(p) : p; };
    const int pairs = inWidth / 2;
    for (int i = 0; i < pairs; ++i) {
        out[i] = store(roundedQuarter(spread(top[2 * i]) + spread(top[2 * i + 1]) + spread(bottom[2 * i]) +
                                      spread(bottom[2 * i + 1])));
    }
    if (inWidth % 2 != 0) {
        out[pairs] = store(roundedQuarter(2 * (spread(top[inWidth - 1]) + spread(bottom[inWidth - 1]))));
    }
}

// One reduction while rows stream through it. A level too large to keep
// holds only the two rows its coarser neighbour still needs.
struct Stage {
    Stage(int w, int h) : width(w), height(h) {}

    int width;
    int height;
    QImage image;
    std::vector<Pixel> scratch;
    const Pixel* waiting = nullptr; ///< even input row, until its partner arrives
    int rowsDone = 0;

    Pixel* nextRow()
    {
        const int y = rowsDone++;
        if (image.isNull()) {
            return scratch.data() + qsizetype(y % 2) * width;
        }
        return reinterpret_cast<Pixel*>(image.scanLine(y));
    }
};

class Cascade {
public:
    Cascade(int width, std::vector<Stage> stages) : sourceWidth_(width), stages_(std::move(stages)) {}

    // `row` must stay valid until its partner arrives or finish() runs: a
    // strip holds whole pairs, and a stage's scratch row survives one more row.
    void push(const Pixel* row) { feed(0, row); }
    /// Source rows arrive with red and blue exchanged.
    void setSwappedSource(bool swapped) { swappedSource_ = swapped; }

    void finish()
    {
        for (std::size_t k = 0; k < stages_.size(); ++k) {
            if (stages_[k].waiting != nullptr) {
                feed(k, stages_[k].waiting);
            }
        }
    }

    std::vector<Stage>& stages() { return stages_; }

private:
    void feed(std::size_t k, const Pixel* row)
    {
        for (; k < stages_.size(); ++k) {
            Stage& stage = stages_[k];
            if (stage.waiting == nullptr) {
                stage.waiting = row;
                return;
            }
            Pixel* out = stage.nextRow();
            if (k == 0) {
                (swappedSource_ ? halveRowPair<true> : halveRowPair<false>)(stage.waiting, row, sourceWidth_, out);
            } else {
                halveRowPair<false>(stage.waiting, row, stages_[k - 1].width, out);
            }
            stage.waiting = nullptr;
            row = out;
        }
    }

    int sourceWidth_;
    std::vector<Stage> stages_;
    bool swappedSource_ = false;
};

// Qt widens RGB888 with SIMD but BGR888 pixel by pixel; the averaging
// treats red and blue alike, so reading BGR888 as RGB888 and swapping the
// first level's (four times fewer) pixels back is twice as fast.
QImage toRgb32(const QImage& rows, bool* swapped)
{
    *swapped = rows.format() == QImage::Format_BGR888;
    if (*swapped) {
        return QImage(rows.constBits(), rows.width(), rows.height(), rows.bytesPerLine(), QImage::Format_RGB888)
            .convertToFormat(QImage::Format_RGB32);
    }
    return rows.convertToFormat(QImage::Format_RGB32);
}

// About a megabyte of converted rows: large enough for the reader's
// overhead to vanish, small enough to stay in cache while it is reduced.
int stripRows(int width)
{
    const qsizetype perRow = qsizetype{width} * qsizetype{sizeof(Pixel)};
    const qsizetype rows = std::clamp<qsizetype>((qsizetype{1} << 20) / perRow, 2, 64);
    return int(rows & ~qsizetype{1});
}

} // namespace

BitmapPyramid::BitmapPyramid(std::shared_ptr<const SheetPixels> bitmap, std::function<void()> onReady)
    : bitmap_(std::move(bitmap)), onReady_(std::move(onReady)), thread_([this](std::stop_token stop) { build(stop); })
{
}

BitmapPyramid::~BitmapPyramid()
{
    // Before any member goes: the thread reads the bitmap and fills levels_.
    thread_.request_stop();
    if (thread_.joinable()) {
        thread_.join();
    }
}

const PyramidLevel* BitmapPyramid::levelFor(double scale) const
{
    const std::vector<PyramidLevel>& kept = levels();
    if (kept.empty()) {
        return nullptr;
    }
    for (auto level = kept.rbegin(); level != kept.rend(); ++level) {
        if (std::ldexp(1.0, -level->shift) >= scale) {
            return &*level;
        }
    }
    return &kept.front();
}

const std::vector<PyramidLevel>& BitmapPyramid::levels() const
{
    static const std::vector<PyramidLevel> none;
    return ready() ? levels_ : none;
}

std::vector<PyramidLevel> BitmapPyramid::buildLevels(int width, int height, const RowReader& rows,
                                                     const std::stop_token& stop, qsizetype largestLevelBytes)
{
    if (width < 1 || height < 1) {
        return {};
    }
    std::vector<Stage> stages;
    for (int w = width, h = height; w > kSmallestSide || h > kSmallestSide;) {
        w = (w + 1) / 2;
        h = (h + 1) / 2;
        stages.emplace_back(w, h);
    }
    if (stages.empty()) {
        return {};
    }
    // Coarsest first: once one level cannot be had, finer ones cannot either.
    bool keeping = true;
    for (auto stage = stages.rbegin(); stage != stages.rend(); ++stage) {
        if (keeping && qsizetype{stage->width} * stage->height * qsizetype{sizeof(Pixel)} <= largestLevelBytes) {
            stage->image = QImage(stage->width, stage->height, QImage::Format_RGB32);
            keeping = !stage->image.isNull();
        } else {
            keeping = false;
        }
        if (!keeping) {
            stage->scratch.resize(2 * std::size_t(stage->width));
        }
    }

    Cascade cascade(width, std::move(stages));
    const int perStrip = stripRows(width);
    // Outlives the loop: an odd last row waits in it for finish().
    QImage strip;
    for (int first = 0; first < height; first += perStrip) {
        if (stop.stop_requested()) {
            return {};
        }
        const int count = std::min(perStrip, height - first);
        bool swapped = false;
        strip = toRgb32(rows(first, count), &swapped);
        if (strip.width() < width || strip.height() < count) {
            return {};
        }
        cascade.setSwappedSource(swapped);
        for (int y = 0; y < count; ++y) {
            cascade.push(reinterpret_cast<const Pixel*>(strip.constScanLine(y)));
        }
    }
    cascade.finish();

    std::vector<PyramidLevel> levels;
    int shift = 0;
    for (Stage& stage : cascade.stages()) {
        ++shift;
        Q_ASSERT(stage.rowsDone == stage.height);
        if (!stage.image.isNull()) {
            levels.push_back(PyramidLevel{shift, std::move(stage.image)});
        }
    }
    return levels;
}

void BitmapPyramid::build(const std::stop_token& stop)
{
    if (!bitmap_) {
        return;
    }
    const SheetPixels& bitmap = *bitmap_;
    const int width = bitmap.width();
    const auto rows = [&bitmap, width](int first, int count) {
        BitmapWindow window = bitmap.window(QRect(0, first, width, count));
        // Rows from anywhere else would shift the picture: read nothing instead.
        if (window.origin != QPoint(0, first)) {
            return QImage();
        }
        return std::move(window.image);
    };
    std::vector<PyramidLevel> levels = buildLevels(width, bitmap.height(), rows, stop);
    if (stop.stop_requested()) {
        return;
    }
    levels_ = std::move(levels);
    ready_.store(true, std::memory_order_release);
    if (onReady_) {
        onReady_();
    }
}

} // namespace rovanta
