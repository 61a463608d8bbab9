#include "gpx/gpx_write.h"

#include "common/atomic_file.h"
#include "gpx/xml_text.h"

#include <ctime>

namespace rovanta {
namespace {

void appendPoint(pugi::xml_node parent, const char* element, const GeoPoint& point, std::size_t number)
{
    pugi::xml_node node = parent.append_child(element);
    node.append_attribute("lat") = xml::coordinate(point.latitude).c_str();
    node.append_attribute("lon") = xml::coordinate(point.longitude).c_str();
    xml::appendText(node, "name", std::to_string(number));
    if (!point.remark.empty())
        xml::appendText(node, "desc", point.remark);
}

void appendName(pugi::xml_node parent, std::string_view name)
{
    if (!name.empty())
        xml::appendText(parent, "name", name);
}

} // namespace

std::string gpxText(std::string_view tourName, const std::vector<GeoPoint>& points, const GpxExportOptions& options)
{
    pugi::xml_document document;
    xml::declare(document);
    pugi::xml_node gpx = document.append_child("gpx");
    gpx.append_attribute("version") = "1.1";
    gpx.append_attribute("creator") = "Rovanta";
    gpx.append_attribute("xmlns") = "http://www.topografix.com/GPX/1/1";
    gpx.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
    gpx.append_attribute("xsi:schemaLocation") =
        "http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd";

    pugi::xml_node metadata = gpx.append_child("metadata");
    appendName(metadata, tourName);
    if (!options.time.empty())
        xml::appendText(metadata, "time", options.time);

    pugi::xml_node route = gpx.append_child("rte");
    appendName(route, tourName);
    for (std::size_t i = 0; i < points.size(); ++i)
        appendPoint(route, "rtept", points[i], i);

    if (options.withTrack) {
        pugi::xml_node track = gpx.append_child("trk");
        appendName(track, tourName);
        pugi::xml_node segment = track.append_child("trkseg");
        for (std::size_t i = 0; i < points.size(); ++i)
            appendPoint(segment, "trkpt", points[i], i);
    }
    return xml::serialize(document);
}

std::string kmlText(std::string_view tourName, const std::vector<GeoPoint>& points)
{
    pugi::xml_document document;
    xml::declare(document);
    pugi::xml_node kml = document.append_child("kml");
    kml.append_attribute("xmlns") = "http://www.opengis.net/kml/2.2";
    pugi::xml_node folder = kml.append_child("Document");
    appendName(folder, tourName);

    // KML writes longitude first.
    std::string line;
    for (const GeoPoint& point : points)
        line += xml::coordinate(point.longitude) + ',' + xml::coordinate(point.latitude) + ",0 ";
    if (!line.empty())
        line.pop_back();
    pugi::xml_node tour = folder.append_child("Placemark");
    appendName(tour, tourName);
    pugi::xml_node lineString = tour.append_child("LineString");
    xml::appendText(lineString, "tessellate", "1");
    xml::appendText(lineString, "coordinates", line);

    for (std::size_t i = 0; i < points.size(); ++i) {
        pugi::xml_node placemark = folder.append_child("Placemark");
        xml::appendText(placemark, "name", std::to_string(i));
        if (!points[i].remark.empty())
            xml::appendText(placemark, "description", points[i].remark);
        xml::appendText(placemark.append_child("Point"), "coordinates",
                        xml::coordinate(points[i].longitude) + ',' + xml::coordinate(points[i].latitude) + ",0");
    }
    return xml::serialize(document);
}

std::string isoUtcTime(std::chrono::system_clock::time_point time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

bool writeExportFile(const std::filesystem::path& file, std::string_view content, std::string& failure)
{
    AtomicFile out(file);
    if (out.stage(content) && out.commit()) {
        failure.clear();
        return true;
    }
    failure = out.failure();
    return false;
}

} // namespace rovanta
