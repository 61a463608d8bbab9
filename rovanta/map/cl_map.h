// One map: a calibration file's record and the similarity transform it
// derives, or a raster that carries its own georeference.
#pragma once

#include "map/map_georeference.h"

#include <kalimark/kalimark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rovanta {

/// The bitmap's header as the map reports it.
struct BitmapInfo {
    std::int32_t type = 0;       ///< always 0
    std::int32_t width = 0;      ///< pixels; 0 when the bitmap cannot be read
    std::int32_t height = 0;     ///< pixels; 0 when the bitmap cannot be read
    std::int32_t widthBytes = 0; ///< bytes per scan line
    std::uint16_t planes = 0;
    std::uint16_t bitsPixel = 0; ///< bits per pixel
    const void* bits = nullptr;  ///< never valid after the call
};

class cl_Map {
public:
    cl_Map() = default;
    virtual ~cl_Map() = default;

    /// Reads the calibration file at `path` (UTF-8). `name` comes in as the
    /// caller's name for the map and goes out as the file's last "NAME:"
    /// value, if any; the map takes it as its name. Unknown lines and
    /// hemisphere letters go to the load problems (load_problems.h): read
    /// on its own, the file's problems make one notice that names it. False,
    /// silently and leaving the map unchanged, when the path is empty, the
    /// file cannot be read as text, or it is no calibration file at all
    /// (empty, or its first non-blank line starts with no key).
    [[nodiscard]] bool loadCalFile(const std::string& path, std::string& name);

    /// Reads a raster that carries its own georeference (a GeoTIFF, an
    /// image with a world file, another program's calibration such as an
    /// OziExplorer ".map"). The map's file is then the raster (or the
    /// ".map"), its bitmap the image, its name `name` or the name the file
    /// gives. A raster without any georeference is passed over silently
    /// (kNone); one that cannot be read or has no coordinate system goes to
    /// the load problems (kBroken). The map is unchanged unless kLoaded.
    enum class RasterLoad { kNone, kBroken, kLoaded };
    [[nodiscard]] RasterLoad loadRasterFile(const std::string& path, std::string& name);
    /// loadCalFile for a ".cal" path, loadRasterFile for any other.
    [[nodiscard]] bool loadMapFile(const std::string& path, std::string& name);
    /// True when the map comes from a calibration file, not a raster's own
    /// georeference.
    bool isCalibrated() const { return !crs_; }

    /// Replaces every "NAME:" line of the calibration file at `path` (one is
    /// added after a "TYPE:" line, or first, if there is none) and keeps
    /// every other line and its line end. The file is replaced atomically.
    [[nodiscard]] static bool renameCalFile(const std::string& path, const std::string& newName);

    /// Derives scale, rotation, zone and corners from the two reference
    /// points and the bitmap's size (a raster's own georeference is ready
    /// once loaded: true). False when the georeference is not
    /// usable: fewer than two reference points, equal pixel positions, equal
    /// UTM positions, or a position outside the UTM domain. The map must
    /// then not be used.
    [[nodiscard]] bool computeReference();

    /// computeReference, then a check that the view can show the bitmap;
    /// every problem goes to the load problems (on its own: one notice
    /// naming the file). False when the georeference failed and the map must
    /// not be used; a bitmap problem alone keeps the map, shown blank, so a
    /// sheet on a drive not mounted today is not forgotten.
    [[nodiscard]] bool prepareForUse();

    /// The bitmap file: the calibration file's folder plus the "FILENAME:"
    /// value, whose backslashes count as separators. If that does not exist,
    /// the value's last component in the calibration file's folder (any
    /// case). UTF-8, native separators.
    std::string getBitmapPath() const;

    /// The bitmap's header, read without decoding pixels; width and height
    /// 0 when the bitmap is missing or unreadable.
    BitmapInfo getBitmapInfo() const;

    /// The position of pixel (x, y) (x right from the left edge, y up from
    /// the bottom edge), with its pixel set to (x, y). `inside`: nonzero on
    /// entry asks for a bounds test (0 <= x <= width, 0 <= y <= height); on
    /// return 1 when not asked or on the map, else 0.
    cl_RefPoint pixelToRefPoint(std::int32_t x, std::int32_t y, int& inside) const;

    /// Writes the point's pixel on this map; true when that pixel, before
    /// truncation, lies on the bitmap (0 <= x <= width, 0 <= y <= height).
    [[nodiscard]] bool refPointToPixel(cl_RefPoint& point) const;

    /// The conversions behind pixelToRefPoint and refPointToPixel.
    const MapGeoreference& georeference() const
    {
        return crs_ ? static_cast<const MapGeoreference&>(*crs_) : similarity_;
    }
    /// Metres between each third and later "REFERENCE_POINT:" of the
    /// calibration file and where the first two put its pixel.
    std::vector<double> extraPointResiduals() const;

    /// The calibration file, or the raster (or ".map") read for the map.
    const std::string& calPath() const { return calPath_; }
    const std::string& bitmapFileName() const { return bitmapFileName_; }
    const std::string& mapName() const { return mapName_; }
    void setMapName(std::string name) { mapName_ = std::move(name); }
    const cl_RefPoint& centrePoint() const { return similarity_.centre(); }
    const cl_RefPoint& referencePoint(int index) const { return reference_[index]; }
    const cl_RefPoint& cornerPoint(int index) const { return similarity_.corner(index); }
    /// UTM metres: easting, northing of corner 0 (bottom-left), then corner 1;
    /// northings in the hemisphere of the map's midpoint, running on across
    /// the equator (negative south of it on a northern map).
    const std::int32_t* cornerUtm() const { return similarity_.cornerUtm(); }
    double scale() const { return similarity_.scale(); }
    std::int32_t utmZone() const { return similarity_.zone(); }
    double cosRotation() const { return similarity_.cosRotation(); }
    double sinRotation() const { return similarity_.sinRotation(); }
    /// Number of "REFERENCE_POINT:" lines that made the transform (0..2).
    int referencePointCount() const { return referenceCount_; }

    /// -1 not loaded, 0 unchecked, 1 checked, 2 current.
    std::int32_t status() const { return status_; }
    void setStatus(std::int32_t status) { status_ = status; }
    /// 1 after a successful load; a rescan clears and sets it.
    std::int32_t found() const { return found_; }
    void setFound(std::int32_t found) { found_ = found; }

private:
    std::string calPath_;
    std::string bitmapFileName_;
    std::string mapName_;
    cl_RefPoint reference_[2];
    /// Third and later reference points, kept only to be checked.
    std::vector<cl_RefPoint> extraReference_;
    CalSimilarity similarity_;
    /// Shared between copies: it never changes once read.
    std::shared_ptr<const MapGeoreference> crs_;
    int referenceCount_ = 0;
    std::int32_t status_ = 0;
    std::int32_t found_ = 0;
};

} // namespace rovanta
