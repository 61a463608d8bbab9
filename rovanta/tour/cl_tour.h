// A tour: the ordered points a user clicks on a map, each with a remark.
#pragma once

#include <kalimark/kalimark.h>

#include <cstdint>
#include <list>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace rovanta {

class cl_Tour {
    using PointList = std::list<cl_RefPoint>;

public:
    /// Handle to one point; stays valid until that point is removed. The
    /// default (null) position stands for no point, or the end of the tour.
    class Position {
    public:
        Position() = default;
        explicit operator bool() const { return valid_; }
        friend bool operator==(const Position& a, const Position& b)
        {
            return a.valid_ == b.valid_ && (!a.valid_ || a.it_ == b.it_);
        }

    private:
        friend class cl_Tour;
        explicit Position(PointList::iterator it) : it_(it), valid_(true) {}
        PointList::iterator it_{};
        bool valid_ = false;
    };

    /// Empty tour: no name or path, status -1 (not loaded), found 0.
    cl_Tour();
    /// A new tour of the given name and status; found 1.
    cl_Tour(std::string name, std::int32_t status);
    virtual ~cl_Tour();
    cl_Tour(const cl_Tour&) = delete;
    cl_Tour& operator=(const cl_Tour&) = delete;

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    /// Full path of the tour file (UTF-8); empty for a tour never loaded.
    const std::string& path() const { return path_; }
    void setPath(std::string path) { path_ = std::move(path); }
    /// -1 not loaded, 0 unchecked, 1 checked, 2 current.
    std::int32_t status() const { return status_; }
    void setStatus(std::int32_t status) { status_ = status; }
    std::int32_t found() const { return found_; }
    void setFound(std::int32_t found) { found_ = found; }

    // Editing. Points are copied in: the tour keeps longitude, latitude,
    // pixel and the three datum members, and later changes to the caller's
    // object do not reach it. A new point gets the empty remark.
    void addPoint(const cl_RefPoint& point);
    /// Inserts before `pos`, which must be a position of this tour.
    void insertBefore(Position pos, const cl_RefPoint& point);
    /// Overwrites the point at `pos`; it keeps its place and remark. A null
    /// position changes nothing.
    void movePoint(Position pos, const cl_RefPoint& point);
    /// Removes the first point, in tour order, whose hit square holds the
    /// map pixel (x, y), with its remark. At most one point goes.
    void deleteAt(std::int32_t x, std::int32_t y);
    /// Removes the last point and remark; true when a point remains.
    [[nodiscard]] bool deleteLast();
    /// Removes every point and remark; name, path, status and found stay.
    void clear();
    /// Replaces the `count` points from index `first`, with their remarks,
    /// by `points` and `remarks` (as many of each). Positions of the
    /// replaced points end; all others stay valid.
    void replacePoints(int first, int count, std::span<const cl_RefPoint> points, std::span<const std::string> remarks);

    // Queries.
    /// First point, in tour order, whose hit square holds (x, y): the square
    /// px-5 <= x < px+5, py-5 <= y < py+5 around its pixel. Null if none.
    Position findPoint(std::int32_t x, std::int32_t y);
    IPoint getPixel(Position pos) const;
    /// Point `index` (0-based), or nullptr past the end or for a negative
    /// index. Callers may write its `pixel`.
    cl_RefPoint* getPoint(int index);
    int getPointCount() const;
    Position getHeadPosition();
    /// The point at `pos` (not null); advances `pos`, to null after the last.
    cl_RefPoint& getNext(Position& pos);
    /// One remark per point, aligned by index; editable in place.
    std::vector<std::string>& getRemarks() { return remarks_; }
    const std::vector<std::string>& getRemarks() const { return remarks_; }

    // Files: "<lat>,<lon>,0" lines, and the remarks file beside them.
    /// Appends the points of the tour file at `path` and the remarks beside
    /// it; sets name, path, status and found 1. False when the tour file
    /// cannot be read; the tour is then unchanged.
    [[nodiscard]] bool load(const std::string& name, const std::string& path, std::int32_t status);
    /// Asks for a file (selectSaveFile) and writes the tour and remarks
    /// files. `folder` is where the dialog opens and becomes the chosen
    /// folder. False when cancelled, declined or the tour file cannot be
    /// written; the previous files are then intact. Name and path stay.
    [[nodiscard]] bool save(std::string& folder);
    /// The tour file the last successful save wrote; empty before.
    const std::string& savedPath() const { return savedPath_; }
    /// The save dialog with the overwrite question; the chosen full path.
    [[nodiscard]] std::optional<std::string> selectSaveFile(std::string& folder);

private:
    std::string name_;
    std::string path_;
    std::int32_t status_ = -1;
    std::int32_t found_ = 0;
    PointList points_;
    std::vector<std::string> remarks_;
    std::string savedPath_;
};

/// The remarks file of a tour file: the file name's extension (from its last
/// ".") replaced by ".rmk", or ".rmk" appended to a name without a ".". Dots
/// in folder names do not count.
std::string remarksPathFor(const std::string& tourPath);

} // namespace rovanta
