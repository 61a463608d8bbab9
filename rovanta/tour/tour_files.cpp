// Tour files: one "<lat>,<lon>,0" line per point, and the remarks file
// beside it with one remark per line.
#include "tour/cl_tour.h"

#include "common/file_names.h"
#include "common/text_convert.h"
#include "common/text_file.h"
#include "ports/message.h"
#include "ports/save_file_prompt.h"
#include "resources/string_table.h"

#include <cmath>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

namespace rovanta {
namespace fs = std::filesystem;

namespace {
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kTourExtension = ".TXT";
constexpr std::size_t kMaxDialogName = 255;

// Backslashes are ordinary file-name bytes outside Windows.
constexpr std::string_view kSeparators = fs::path::preferred_separator == '/' ? "/" : "/\\";

std::size_t fileNameStart(std::string_view path)
{
    const std::size_t separator = path.find_last_of(kSeparators);
    return separator == std::string_view::npos ? 0 : separator + 1;
}

bool fileNameHasDot(std::string_view path)
{
    return path.find('.', fileNameStart(path)) != std::string_view::npos;
}

// The text before the first comma, or all of it when there is none.
std::string_view firstField(std::string_view text)
{
    return text.substr(0, text.find(','));
}

std::string_view afterFirstComma(std::string_view text)
{
    const std::size_t comma = text.find(',');
    return comma == std::string_view::npos ? text : text.substr(comma + 1);
}

std::int32_t signOf(double value)
{
    return value >= 0.0 ? 1 : -1; // -0.0 counts as north/east
}

// Cut to at most `limit` bytes without splitting a UTF-8 sequence.
std::string cutUtf8(std::string text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u)
        --cut;
    text.resize(cut);
    return text;
}

// Files copied from Windows may carry the extension in any case. A tour
// file named "*.rmk" has no remarks file: it would be its own.
fs::path findRemarksFile(const std::string& tourPath)
{
    const std::string remarksPath = remarksPathFor(tourPath);
    if (remarksPath == tourPath)
        return {};
    const fs::path exact = toFsPath(remarksPath);
    const fs::path folder = exact.has_parent_path() ? exact.parent_path() : fs::path(".");
    return findInFolderIgnoreCase(folder, toUtf8(exact.filename()));
}

// A damaged byte costs no point or remark; a file too large to be ours is
// named, so the user learns why the tour or its remarks are missing.
std::optional<std::vector<TextLine>> readTourText(const fs::path& file)
{
    auto lines = readTextLines(file, NulBytes::drop);
    if (!lines && exceedsTextLimit(file))
        showMessage(replacePlaceholder(strings::tr(strings::kFileTooLarge), toUtf8(file)), kMessageOk);
    return lines;
}

std::string tourFileContent(cl_Tour& tour)
{
    std::string content;
    for (auto pos = tour.getHeadPosition(); pos;) {
        const cl_RefPoint& point = tour.getNext(pos);
        IPoint sign;
        DPoint deg;
        point.getRefPoint(sign, deg);
        content += formatFixed(sign.y * deg.y, 0, 7);
        content += ',';
        content += formatFixed(sign.x * deg.x, 0, 7);
        content += ",0";
        content += kLineEnd;
    }
    return content;
}

// Always false, so a failed step can return it.
bool reportNotSaved(const AtomicFile& file)
{
    showMessage(replacePlaceholders(strings::tr(strings::kFileNotSaved), {toUtf8(file.file()), file.failure()}),
                kMessageOk);
    return false;
}

std::string remarksFileContent(const std::vector<std::string>& remarks)
{
    std::string content;
    for (const std::string& remark : remarks) {
        content += singleLine(remark); // a line break would shift every later remark
        content += kLineEnd;
    }
    return content;
}
} // namespace

std::string remarksPathFor(const std::string& tourPath)
{
    const std::size_t nameStart = fileNameStart(tourPath);
    const std::size_t dot = tourPath.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return tourPath + ".rmk";
    return tourPath.substr(0, dot) + ".rmk";
}

bool cl_Tour::load(const std::string& name, const std::string& path, std::int32_t status)
{
    const auto lines = readTourText(toFsPath(path));
    if (!lines)
        return false;
    std::vector<TextLine> remarkLines;
    if (const fs::path remarksFile = findRemarksFile(path); !remarksFile.empty())
        remarkLines = readTourText(remarksFile).value_or(std::vector<TextLine>{});

    for (std::size_t i = 0; i < lines->size(); ++i) {
        const std::string_view line = (*lines)[i].text;
        const double lat = parseDecimalPrefix(firstField(line));
        const double lon = parseDecimalPrefix(firstField(afterFirstComma(line)));
        cl_RefPoint& point = points_.emplace_back();
        point.setRefPoint(IPoint{signOf(lon), signOf(lat)}, DPoint{std::fabs(lon), std::fabs(lat)});
        remarks_.push_back(i < remarkLines.size() ? remarkLines[i].text : std::string());
    }
    name_ = name;
    path_ = path;
    status_ = status;
    found_ = 1;
    return true;
}

bool cl_Tour::save(std::string& folder)
{
    const auto chosen = selectSaveFile(folder);
    if (!chosen)
        return false;

    AtomicFile tourFile(toFsPath(*chosen));
    if (!tourFile.stage(tourFileContent(*this)))
        return reportNotSaved(tourFile);
    // A tour file chosen as "x.rmk" would otherwise be replaced by its remarks.
    const std::string remarksPath = remarksPathFor(*chosen);
    if (remarksPath == *chosen) {
        if (!tourFile.commit())
            return reportNotSaved(tourFile);
        savedPath_ = *chosen;
        return true;
    }
    AtomicFile remarksFile(toFsPath(remarksPath));
    if (!remarksFile.stage(remarksFileContent(remarks_)))
        return reportNotSaved(remarksFile);
    // Neither file replaces its old version unless both can: a tour never
    // ends up beside the remarks of another version.
    if (!commitTogether(tourFile, remarksFile))
        return reportNotSaved(tourFile.failure().empty() ? remarksFile : tourFile);
    savedPath_ = *chosen;
    return true;
}

std::optional<std::string> cl_Tour::selectSaveFile(std::string& folder)
{
    SaveFileRequest request;
    request.title = "Rovanta";
    request.filter = strings::tr(strings::kTourFileFilter);
    request.defaultExtension = std::string(kTourExtension);
    request.initialFolder = folder;
    request.initialName = cutUtf8(name_ + std::string(kTourExtension), kMaxDialogName);
    std::optional<std::string> chosen = askSaveFile(request);
    if (!chosen)
        return std::nullopt;

    if (!fileNameHasDot(*chosen))
        *chosen += kTourExtension;
    const fs::path file = toFsPath(*chosen);
    folder = toUtf8(file.parent_path());
    if (!folder.empty() && kSeparators.find(folder.back()) == std::string_view::npos)
        folder += static_cast<char>(fs::path::preferred_separator);

    std::error_code error;
    if (fs::exists(file, error) && showMessage(strings::kFileExistsQuestion, kMessageYesNo) != kAnswerYes)
        return std::nullopt;
    return chosen;
}

} // namespace rovanta
