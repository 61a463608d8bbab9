#include "gpx/gpx_read.h"

#include "common/text_convert.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace rovanta {
namespace {

constexpr std::string_view kGpx11 = "http://www.topografix.com/GPX/1/1";
constexpr std::string_view kGpx10 = "http://www.topografix.com/GPX/1/0";

GpxContent failed(GpxFailure failure, std::string problem)
{
    GpxContent content;
    content.failure = failure;
    content.problem = std::move(problem);
    return content;
}

// 1-based line and column of a byte offset.
std::string placeOf(std::string_view content, std::ptrdiff_t offset)
{
    if (offset < 0 || static_cast<std::size_t>(offset) > content.size())
        return "at byte " + std::to_string(offset);
    const std::string_view before = content.substr(0, static_cast<std::size_t>(offset));
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    const std::size_t lineStart = before.rfind('\n');
    const std::size_t column = offset - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
    return "at line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Elements of the GPX namespace carry the root's prefix; others (extensions
// of devices) never match and are skipped with everything inside them.
class GpxNames {
public:
    explicit GpxNames(std::string_view rootName)
    {
        const std::size_t colon = rootName.find(':');
        if (colon != std::string_view::npos)
            prefix_ = std::string(rootName.substr(0, colon + 1));
    }
    bool is(const pugi::xml_node& node, std::string_view local) const
    {
        const std::string_view name = node.name();
        return name.size() == prefix_.size() + local.size() && name.starts_with(prefix_) && name.ends_with(local);
    }
    std::string text(const pugi::xml_node& parent, std::string_view local) const
    {
        for (const pugi::xml_node& child : parent.children())
            if (is(child, local))
                return child.text().get();
        return {};
    }
    const std::string& prefix() const { return prefix_; }

private:
    std::string prefix_;
};

std::optional<double> parseNumber(std::string_view text)
{
    text = trimBlanks(text);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Remarks are one line: runs of white space become one blank.
std::string oneLine(std::string_view text)
{
    std::string line;
    for (char c : trimBlanks(text)) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (!blank)
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    return line;
}

// Name, description and comment, each once. A name that is only the point's
// number (from 0 as we write them, or from 1 as devices do) says nothing the
// tour's order does not.
std::string remarkOf(const GpxNames& names, const pugi::xml_node& point, std::size_t index)
{
    std::vector<std::string> parts;
    for (const char* element : {"name", "desc", "cmt"}) {
        std::string part = oneLine(names.text(point, element));
        if (part.empty() || std::find(parts.begin(), parts.end(), part) != parts.end())
            continue;
        if (element == std::string_view("name") && (part == std::to_string(index) || part == std::to_string(index + 1)))
            continue;
        parts.push_back(std::move(part));
    }
    std::string remark;
    for (const std::string& part : parts)
        remark += (remark.empty() ? "" : " - ") + part;
    return remark;
}

class PathReader {
public:
    PathReader(std::string_view content, const GpxNames& names) : content_(content), names_(names) {}

    // False, with the problem kept, at the first bad point.
    bool addPoint(const pugi::xml_node& node, std::vector<GeoPoint>& points)
    {
        const auto latitude = coordinate(node, "lat", 90.0);
        const auto longitude = latitude ? coordinate(node, "lon", 180.0) : std::nullopt;
        if (!longitude)
            return false;
        points.push_back({*latitude, *longitude, remarkOf(names_, node, points.size())});
        return true;
    }
    bool addChildren(const pugi::xml_node& parent, std::string_view element, std::vector<GeoPoint>& points)
    {
        for (const pugi::xml_node& child : parent.children())
            if (names_.is(child, element) && !addPoint(child, points))
                return false;
        return true;
    }
    const std::string& problem() const { return problem_; }

private:
    std::optional<double> coordinate(const pugi::xml_node& node, const char* attribute, double limit)
    {
        const pugi::xml_attribute value = node.attribute(attribute);
        const auto number = value ? parseNumber(value.value()) : std::nullopt;
        if (number && std::fabs(*number) <= limit)
            return number;
        // Only now is the place worth counting lines for. pugixml gives the
        // offset of the name; the element starts at its '<'.
        const std::string where = "<" + std::string(node.name()) + "> " + placeOf(content_, node.offset_debug() - 1);
        const std::string range = formatFixed(limit, 0, 0);
        if (!value)
            problem_ = where + " has no " + attribute;
        else if (!number)
            problem_ = where + ": " + attribute + " \"" + value.value() + "\" is not a number";
        else
            problem_ = where + ": " + attribute + " " + value.value() + " is outside -" + range + " to " + range;
        return std::nullopt;
    }

    std::string_view content_;
    const GpxNames& names_;
    std::string problem_;
};

std::optional<std::string> wrongRoot(const pugi::xml_node& root, const GpxNames& names)
{
    if (!names.is(root, "gpx"))
        return "the root element is <" + std::string(root.name()) + ">, not <gpx>";
    const std::string xmlns =
        names.prefix().empty() ? "xmlns" : "xmlns:" + names.prefix().substr(0, names.prefix().size() - 1);
    const std::string_view space = root.attribute(xmlns.c_str()).value();
    if (!space.empty() && space != kGpx11 && space != kGpx10)
        return "the namespace \"" + std::string(space) + "\" is not that of GPX 1.0 or 1.1";
    return std::nullopt;
}

GpxContent readPaths(std::string_view content, const pugi::xml_node& root, const GpxNames& names)
{
    GpxContent result;
    PathReader reader(content, names);
    std::vector<GeoPoint> waypoints;
    std::vector<GeoPath> tracks;
    for (const pugi::xml_node& child : root.children()) {
        bool ok = true;
        if (names.is(child, "rte")) {
            result.paths.push_back({GeoPathKind::route, oneLine(names.text(child, "name")), {}});
            ok = reader.addChildren(child, "rtept", result.paths.back().points);
        } else if (names.is(child, "trk")) {
            tracks.push_back({GeoPathKind::track, oneLine(names.text(child, "name")), {}});
            for (const pugi::xml_node& segment : child.children())
                if (ok && names.is(segment, "trkseg"))
                    ok = reader.addChildren(segment, "trkpt", tracks.back().points);
        } else if (names.is(child, "wpt")) {
            ok = reader.addPoint(child, waypoints);
        }
        if (!ok)
            return failed(GpxFailure::badPoint, reader.problem());
    }
    std::move(tracks.begin(), tracks.end(), std::back_inserter(result.paths));
    if (!waypoints.empty()) {
        // GPX 1.1 names the file in its metadata, 1.0 directly under the root.
        std::string name = oneLine(names.text(root.child((names.prefix() + "metadata").c_str()), "name"));
        result.paths.push_back(
            {GeoPathKind::waypoints, name.empty() ? oneLine(names.text(root, "name")) : name, std::move(waypoints)});
    }
    std::erase_if(result.paths, [](const GeoPath& path) { return path.points.empty(); });
    if (result.paths.empty())
        return failed(GpxFailure::noPoints, "there is no route, track or waypoint with points");
    return result;
}

} // namespace

GpxContent parseGpx(std::string_view content, std::size_t sizeLimit)
{
    if (content.size() > sizeLimit)
        return failed(GpxFailure::tooLarge, "the file is larger than " + std::to_string(sizeLimit) + " bytes");
    pugi::xml_document document;
    // The document type is parsed only to refuse it: pugixml expands no
    // declared entity, but a file declaring them is no GPX and may be a bomb.
    const pugi::xml_parse_result parsed = document.load_buffer(
        content.data(), content.size(), pugi::parse_default | pugi::parse_doctype, pugi::encoding_auto);
    if (!parsed)
        return failed(GpxFailure::notXml, std::string("this is not well-formed XML (") + parsed.description() + ") " +
                                              placeOf(content, parsed.offset));
    for (const pugi::xml_node& node : document.children())
        if (node.type() == pugi::node_doctype)
            return failed(GpxFailure::doctype, "a GPX file declares no document type (<!DOCTYPE>)");
    const pugi::xml_node root = document.document_element();
    const GpxNames names(root.name());
    if (const auto problem = wrongRoot(root, names))
        return failed(GpxFailure::notGpx, "this is not a GPX file: " + *problem);
    return readPaths(content, root, names);
}

GpxContent readGpxFile(const std::filesystem::path& file, std::size_t sizeLimit)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        return failed(GpxFailure::unreadable, "the file cannot be read (" + error.message() + ")");
    if (size > sizeLimit)
        return failed(GpxFailure::tooLarge, "the file is larger than " + std::to_string(sizeLimit) + " bytes");
    std::ifstream in(file, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        return failed(GpxFailure::unreadable, "the file cannot be read");
    return parseGpx(bytes, sizeLimit);
}

std::vector<GpxCandidate> gpxCandidates(const GpxContent& content)
{
    std::vector<GpxCandidate> candidates;
    for (const GeoPath& path : content.paths)
        candidates.push_back({path.kind, path.name, path.points.size()});
    return candidates;
}

} // namespace rovanta
