// Kalimark: geographic positions with their image pixel, converted between
// degree formats, radians and UTM. The one class the library exports.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#if defined(KALIMARK_BUILDING)
#define KALIMARK_API __declspec(dllexport)
#else
#define KALIMARK_API __declspec(dllimport)
#endif
#else
#define KALIMARK_API __attribute__((visibility("default")))
#endif

/// A pair of 32-bit integers. Depending on the call: hemisphere signs
/// (+1 east/north, -1 west/south), whole degrees, whole minutes, an image
/// position in pixels, or UTM easting/northing in whole metres.
struct IPoint {
    std::int32_t x = 0; ///< longitude / easting / column side
    std::int32_t y = 0; ///< latitude / northing / row side
};

/// A pair of doubles: signed radians, or magnitudes in decimal degrees,
/// decimal minutes or decimal seconds. `x` is always the longitude side.
struct DPoint {
    double x = 0.0;
    double y = 0.0;
};

/// One geographic position (radians) tied to an image pixel.
///
/// UTM conversions use settings shared by the whole process: constructing
/// any object resets them to WGS 84 without zone override, and `setDatum` on
/// any object replaces them. Call `setDatum` right before a UTM conversion
/// that needs a particular datum or zone. Not thread-safe.
class KALIMARK_API cl_RefPoint {
public:
    cl_RefPoint();
    cl_RefPoint(const cl_RefPoint& other);
    cl_RefPoint& operator=(const cl_RefPoint& other);
    virtual ~cl_RefPoint();

    /// Selects the datum for later UTM conversions, process-wide.
    /// datumKind: 0 WGS 84, 1 European 1950 (7 param), 2 Potsdam (DHDN);
    /// zoneOverride: 0 = zone from the longitude, 1..60 forces that zone
    /// where it is the natural zone's neighbour. Invalid input is ignored
    /// silently and the previous settings stay in force.
    void setDatum(std::int32_t zoneOverride, int datumKind);

    /// Signs times decimal degrees (magnitudes).
    void setRefPoint(IPoint sign, DPoint deg);
    void setRefPoint(IPoint sign, DPoint deg, IPoint pixelPos);
    /// Signs, whole degrees, decimal minutes.
    void setRefPoint(IPoint sign, IPoint deg, DPoint min);
    void setRefPoint(IPoint sign, IPoint deg, DPoint min, IPoint pixelPos);
    /// Signs, whole degrees, whole minutes, decimal seconds.
    void setRefPoint(IPoint sign, IPoint deg, IPoint min, DPoint sec);
    void setRefPoint(IPoint sign, IPoint deg, IPoint min, DPoint sec, IPoint pixelPos);
    /// Signed radians: x longitude, y latitude.
    void setRefPoint(DPoint rad);
    void setRefPoint(DPoint rad, IPoint pixelPos);
    /// UTM zone (1..60), band letter (below 'N' = southern hemisphere) and
    /// easting/northing in metres. Out-of-range input, and input whose
    /// latitude falls outside the UTM domain, leaves the position.
    void setRefPoint(int zone, char letter, IPoint en);
    void setRefPoint(int zone, char letter, IPoint en, IPoint pixelPos);

    /// Signs (exactly +1 or -1) and decimal degrees (non-negative).
    void getRefPoint(IPoint& sign, DPoint& deg) const;
    void getRefPoint(IPoint& sign, DPoint& deg, IPoint& pixelPos) const;
    /// Signs, whole degrees, decimal minutes in [0, 60).
    void getRefPoint(IPoint& sign, IPoint& deg, DPoint& min) const;
    /// Signs, whole degrees, whole minutes 0..59, decimal seconds.
    void getRefPoint(IPoint& sign, IPoint& deg, IPoint& min, DPoint& sec) const;
    /// Signed radians plus the pixel.
    void getRefPoint(DPoint& rad, IPoint& pixelPos) const;
    /// UTM under the current process-wide settings; metres truncated toward
    /// zero. Outside the UTM domain: zone 0, easting 0, northing 0, with the
    /// band letter still computed ('Z' outside -80..84 degrees).
    void getRefPoint(int& zone, char& letter, IPoint& en) const;

    double longitude = 0.0;          ///< radians, east positive
    double latitude = 0.0;           ///< radians, north positive
    IPoint pixel;                    ///< image position tied to this position
    std::int32_t ellipsoidIndex = 0; ///< 1-based, last selected; 0 = lookup failed
    std::int32_t datumKind = 0;      ///< last kind passed to setDatum
    std::int32_t datumIndex = 0;     ///< 1-based, last selected; 0 = lookup failed

private:
    /// Latitude band letter C..X (no I, O) for a latitude in degrees;
    /// 'Z' below -80 or above 84.
    static char UTMLetterDesignator(double latitudeDeg);
};
