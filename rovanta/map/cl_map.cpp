#include "map/cl_map.h"

#include "common/file_names.h"
#include "common/text_convert.h"
#include "common/text_file.h"
#include "map/bmp_header.h"
#include "map/cal_line.h"
#include "map/load_problems.h"
#include "ports/message.h"
#include "raster/raster_info.h"
#include "resources/string_table.h"

#include <algorithm>
#include <system_error>

namespace rovanta {
namespace fs = std::filesystem;
namespace {

// Anything else with the extension (a calendar export, an empty file) is
// not ours and is passed over without a word.
bool looksLikeCalFile(const std::vector<TextLine>& lines)
{
    const auto first = std::ranges::find_if(lines, [](const TextLine& l) { return !trimBlanks(l.text).empty(); });
    return first != lines.end() && matchCalKey(first->text) >= 0;
}

void reportHemispheres(const std::string& path, int lineNumber, const CalReferencePoint& point)
{
    for (const char letter : point.letter) {
        if (letter == '\0')
            reportLoadProblem(path, lineNumber, strings::tr(strings::kMissingHemisphere));
        else if (!isHemisphereLetter(letter))
            reportLoadProblem(
                path, lineNumber,
                replacePlaceholder(strings::tr(strings::kUnknownHemisphere), std::string_view(&letter, 1)));
    }
}

} // namespace

bool cl_Map::loadCalFile(const std::string& path, std::string& name)
{
    if (path.empty())
        return false;
    const auto lines = readTextLines(toFsPath(path));
    if (!lines || !looksLikeCalFile(*lines))
        return false;

    const LoadProblemScope problems;
    calPath_ = path;
    bitmapFileName_.clear();
    reference_[0] = cl_RefPoint();
    reference_[1] = cl_RefPoint();
    extraReference_.clear();
    crs_.reset();
    referenceCount_ = 0;
    for (int number = 1; const TextLine& line : *lines) {
        switch (matchCalKey(line.text)) {
        case -1:
            reportLoadProblem(path, number, replacePlaceholder(strings::text(strings::kKeywordNotFound), line.text));
            break;
        case kCalKeyName:
            name = calValue(line.text);
            break;
        case kCalKeyFilename:
            bitmapFileName_ = calValue(line.text);
            break;
        case kCalKeyReferencePoint:
            // The first two make the transform; later ones are only checked
            // against it, so a stray third line cannot replace a good one.
            if (referenceCount_ < 2) {
                const CalReferencePoint parsed = parseReferencePoint(line.text);
                reportHemispheres(path, number, parsed);
                reference_[referenceCount_++].setRefPoint(parsed.sign, parsed.degrees, parsed.minutes, parsed.pixel);
            } else {
                const CalReferencePoint parsed = parseReferencePoint(line.text);
                extraReference_.emplace_back().setRefPoint(parsed.sign, parsed.degrees, parsed.minutes, parsed.pixel);
            }
            break;
        default:
            break;
        }
        ++number;
    }
    mapName_ = name;
    found_ = 1;
    return true;
}

bool cl_Map::renameCalFile(const std::string& path, const std::string& newName)
{
    if (path.empty())
        return false;
    const fs::path file = toFsPath(path);
    const auto lines = readTextLines(file);
    if (!lines)
        return false;

    // A NUL or line break would make the file unreadable or add a line.
    const std::string nameLine = "NAME:       " + withoutControlCharacters(newName);

    std::vector<TextLine> rewritten = *lines;
    bool replaced = false;
    for (TextLine& line : rewritten) {
        if (line.text.starts_with("NAME:")) {
            line.text = nameLine;
            replaced = true;
        }
    }
    if (!replaced) {
        const auto withEnd = std::ranges::find_if(rewritten, [](const TextLine& l) { return !l.end.empty(); });
        std::string_view lineEnd = withEnd != rewritten.end() ? withEnd->end : "\r\n";
        auto type = std::ranges::find_if(rewritten, [](const TextLine& l) { return l.text.starts_with("TYPE:"); });
        if (type != rewritten.end()) {
            // The new line ends like the one before it; that line keeps its end.
            if (type->end.empty())
                type->end = lineEnd;
            lineEnd = type->end;
            ++type;
        } else {
            type = rewritten.begin();
        }
        rewritten.insert(type, TextLine{nameLine, lineEnd});
    }

    std::string content = startsWithByteOrderMark(file) ? "\xEF\xBB\xBF" : "";
    for (const TextLine& line : rewritten)
        content.append(line.text).append(line.end);
    AtomicFile staged(file);
    if (staged.stage(content) && staged.commit())
        return true;
    showMessage(replacePlaceholders(strings::tr(strings::kFileNotSaved), {path, staged.failure()}), kMessageOk);
    return false;
}

std::string cl_Map::getBitmapPath() const
{
    const fs::path folder = toFsPath(calPath_).parent_path();
    const fs::path written = fromWindowsPath(bitmapFileName_);
    // The value is relative to the calibration file's folder, whatever it
    // looks like: a written "C:\maps\a.bmp" joins as "<folder>/C:/maps/a.bmp".
    const fs::path joined =
        folder.empty() ? written
                       : toFsPath(toUtf8(folder) + static_cast<char>(fs::path::preferred_separator) + toUtf8(written));
    std::error_code error;
    if (fs::exists(joined, error) || written.filename().empty())
        return toUtf8(joined);
    // Written on another machine: the bitmap usually sits beside its
    // calibration file, possibly in another letter case.
    const fs::path beside = findInFolderIgnoreCase(folder.empty() ? fs::path(".") : folder, toUtf8(written.filename()));
    if (beside.empty())
        return toUtf8(joined);
    return toUtf8(folder.empty() ? beside.filename() : beside);
}

namespace {

// Bits of one pixel as the bands make it: 24 for RGB, 8 for a palette.
BitmapInfo rasterBitmapInfo(const std::filesystem::path& file)
{
    BitmapInfo info;
    const RasterRead read = inspectRaster(file);
    if (!read.info)
        return info;
    const int channels = read.info->layout == RasterLayout::kPaletted ? 1 : std::min(read.info->bands, 4);
    const int bits = read.info->bitsPerSample * channels;
    info.width = read.info->width;
    info.height = read.info->height;
    info.widthBytes =
        static_cast<std::int32_t>(std::min<std::int64_t>((std::int64_t{info.width} * bits + 7) / 8, INT32_MAX));
    info.planes = 1;
    info.bitsPixel = static_cast<std::uint16_t>(bits);
    return info;
}

} // namespace

BitmapInfo cl_Map::getBitmapInfo() const
{
    const std::filesystem::path file = toFsPath(getBitmapPath());
    if (crs_) {
        // The size is the georeference's; bits and row length come from
        // the raster's header, for Properties and printing.
        BitmapInfo info = rasterBitmapInfo(file);
        info.width = crs_->size().x;
        info.height = crs_->size().y;
        return info;
    }
    BitmapInfo info;
    const BmpRead read = inspectBmpHeader(file);
    if (read.fault == BmpFault::kUnsupported)
        return rasterBitmapInfo(file);
    const std::optional<BmpHeader>& header = read.header;
    if (!header)
        return info;
    info.width = header->width;
    info.height = header->height;
    info.widthBytes = static_cast<std::int32_t>(std::min<std::int64_t>(header->stride, INT32_MAX));
    info.planes = header->planes;
    info.bitsPixel = header->bitsPerPixel;
    return info;
}

cl_RefPoint cl_Map::pixelToRefPoint(std::int32_t x, std::int32_t y, int& inside) const
{
    const MapGeoreference& georef = georeference();
    cl_RefPoint point = georef.positionOf(x, y);
    const IPoint size = georef.size();
    inside = inside == 0 || (0 <= x && x <= size.x && 0 <= y && y <= size.y) ? 1 : 0;
    return point;
}

bool cl_Map::refPointToPixel(cl_RefPoint& point) const
{
    const MapGeoreference& georef = georeference();
    const PixelFix fix = georef.pixelOf(point);
    point.pixel.x = truncateToInt32(fix.x);
    point.pixel.y = truncateToInt32(fix.y);
    if (!fix.valid)
        return false;
    // Tested before truncation: on a turned map the rectangle between the
    // corners' eastings and northings is not the bitmap, and -0.1 pixel is
    // off the map even though it truncates to 0.
    const IPoint size = georef.size();
    return 0.0 <= fix.x && fix.x <= size.x && 0.0 <= fix.y && fix.y <= size.y;
}

std::vector<double> cl_Map::extraPointResiduals() const
{
    std::vector<double> residuals;
    for (const cl_RefPoint& point : extraReference_)
        residuals.push_back(similarity_.residual(point));
    return residuals;
}

} // namespace rovanta
