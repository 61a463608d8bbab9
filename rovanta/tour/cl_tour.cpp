#include "tour/cl_tour.h"

#include <iterator>

namespace rovanta {

namespace {
constexpr std::int64_t kHitHalfSize = 5;

// Half-open square: the left and top edges belong to it, the right and
// bottom ones do not. 64-bit so that pixels near the int32 limits stay exact.
bool hits(const IPoint& pixel, std::int32_t x, std::int32_t y)
{
    const std::int64_t px = pixel.x;
    const std::int64_t py = pixel.y;
    return px - kHitHalfSize <= x && x < px + kHitHalfSize && py - kHitHalfSize <= y && y < py + kHitHalfSize;
}

// Only the coordinate state travels; the rest of the target stays as its
// construction left it.
void copyCoordinates(cl_RefPoint& target, const cl_RefPoint& source)
{
    target.longitude = source.longitude;
    target.latitude = source.latitude;
    target.pixel = source.pixel;
    target.ellipsoidIndex = source.ellipsoidIndex;
    target.datumKind = source.datumKind;
    target.datumIndex = source.datumIndex;
}
} // namespace

cl_Tour::cl_Tour() = default;

cl_Tour::cl_Tour(std::string name, std::int32_t status) : name_(std::move(name)), status_(status), found_(1)
{
}

cl_Tour::~cl_Tour()
{
    clear();
}

void cl_Tour::addPoint(const cl_RefPoint& point)
{
    copyCoordinates(points_.emplace_back(), point);
    remarks_.emplace_back();
}

void cl_Tour::insertBefore(Position pos, const cl_RefPoint& point)
{
    // A null position is the end of the tour, so the point is appended.
    const auto where = pos ? pos.it_ : points_.end();
    const auto index = std::distance(points_.begin(), where);
    copyCoordinates(*points_.emplace(where), point);
    remarks_.emplace(remarks_.begin() + index);
}

void cl_Tour::movePoint(Position pos, const cl_RefPoint& point)
{
    if (pos)
        copyCoordinates(*pos.it_, point);
}

void cl_Tour::deleteAt(std::int32_t x, std::int32_t y)
{
    std::size_t index = 0;
    for (auto it = points_.begin(); it != points_.end(); ++it, ++index) {
        if (hits(it->pixel, x, y)) {
            points_.erase(it);
            remarks_.erase(remarks_.begin() + static_cast<std::ptrdiff_t>(index));
            return;
        }
    }
}

bool cl_Tour::deleteLast()
{
    if (!points_.empty())
        points_.pop_back();
    if (!remarks_.empty())
        remarks_.pop_back();
    return !points_.empty();
}

void cl_Tour::clear()
{
    while (!points_.empty())
        points_.pop_back();
    remarks_.clear();
}

void cl_Tour::replacePoints(int first, int count, std::span<const cl_RefPoint> points,
                            std::span<const std::string> remarks)
{
    const auto at = points_.erase(std::next(points_.begin(), first), std::next(points_.begin(), first + count));
    for (const cl_RefPoint& point : points)
        copyCoordinates(*points_.emplace(at), point);
    const auto remarkAt = remarks_.erase(remarks_.begin() + first, remarks_.begin() + first + count);
    remarks_.insert(remarkAt, remarks.begin(), remarks.end());
}

cl_Tour::Position cl_Tour::findPoint(std::int32_t x, std::int32_t y)
{
    for (auto it = points_.begin(); it != points_.end(); ++it) {
        if (hits(it->pixel, x, y))
            return Position(it);
    }
    return {};
}

IPoint cl_Tour::getPixel(Position pos) const
{
    return pos ? pos.it_->pixel : IPoint{};
}

cl_RefPoint* cl_Tour::getPoint(int index)
{
    if (index < 0 || index >= getPointCount())
        return nullptr;
    return &*std::next(points_.begin(), index);
}

int cl_Tour::getPointCount() const
{
    return static_cast<int>(points_.size());
}

cl_Tour::Position cl_Tour::getHeadPosition()
{
    return points_.empty() ? Position{} : Position(points_.begin());
}

cl_RefPoint& cl_Tour::getNext(Position& pos)
{
    cl_RefPoint& point = *pos.it_;
    const auto next = std::next(pos.it_);
    pos = next == points_.end() ? Position{} : Position(next);
    return point;
}

} // namespace rovanta
