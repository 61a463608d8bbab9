#include "map/cl_map.h"

#include "common/file_names.h"
#include "common/text_convert.h"
#include "common/text_file.h"
#include "map/bmp_header.h"
#include "map/cal_line.h"
#include "map/load_problems.h"
#include "ports/message.h"
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
            // Room for two; a stray third line must not replace a good one.
            if (referenceCount_ < 2) {
                const CalReferencePoint parsed = parseReferencePoint(line.text);
                reportHemispheres(path, number, parsed);
                reference_[referenceCount_++].setRefPoint(parsed.sign, parsed.degrees, parsed.minutes, parsed.pixel);
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

BitmapInfo cl_Map::getBitmapInfo() const
{
    BitmapInfo info;
    const auto header = readBmpHeader(toFsPath(getBitmapPath()));
    if (!header)
        return info;
    info.width = header->width;
    info.height = header->height;
    info.widthBytes = static_cast<std::int32_t>(std::min<std::int64_t>(header->stride, INT32_MAX));
    info.planes = header->planes;
    info.bitsPixel = header->bitsPerPixel;
    return info;
}

} // namespace rovanta
