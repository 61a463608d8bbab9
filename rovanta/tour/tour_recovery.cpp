#include "tour/tour_recovery.h"

#include "common/file_names.h"
#include "common/text_convert.h"
#include "common/text_file.h"
#include "resources/string_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>
#include <system_error>

namespace rovanta {
namespace fs = std::filesystem;

namespace {
constexpr std::string_view kVersionLine = "Rovanta unsaved tour 1";
constexpr std::string_view kEndLine = "end";
constexpr std::string_view kFilePrefix = "tour-";
constexpr std::string_view kFileSuffix = ".recovery";
// Well below a millimetre; the tour file keeps seven.
constexpr int kDecimals = 9;

std::string escape(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::optional<std::string> unescape(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

// The first word and the rest after one blank.
std::pair<std::string_view, std::string_view> splitWord(std::string_view text)
{
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos)
        return {text, {}};
    return {text.substr(0, blank), text.substr(blank + 1)};
}

template <typename Number> std::optional<Number> parseNumber(std::string_view text)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(value))
            return std::nullopt;
    }
    return value;
}

std::optional<RecoveredPoint> parsePoint(std::string_view value)
{
    const auto [lat, afterLat] = splitWord(value);
    const auto [lon, remark] = splitWord(afterLat);
    const auto latitude = parseNumber<double>(lat);
    const auto longitude = parseNumber<double>(lon);
    auto text = unescape(remark);
    if (!latitude || !longitude || !text)
        return std::nullopt;
    return RecoveredPoint{*latitude, *longitude, std::move(*text)};
}

// One "key value" line into the record; false for anything unknown or bad.
bool parseLine(std::string_view key, std::string_view value, RecoveryRecord& record)
{
    if (key == "point") {
        auto point = parsePoint(value);
        if (point)
            record.points.push_back(std::move(*point));
        return point.has_value();
    }
    if (key == "pid" || key == "written") {
        const auto number = parseNumber<std::int64_t>(value);
        if (number)
            (key == "pid" ? record.pid : record.writtenAt) = *number;
        return number.has_value();
    }
    std::string* text = key == "name"   ? &record.name
                        : key == "path" ? &record.path
                        : key == "map"  ? &record.mapPath
                                        : nullptr;
    auto unescaped = unescape(value);
    if (!text || !unescaped)
        return false;
    *text = std::move(*unescaped);
    return true;
}

bool isRecoveryFileName(std::string_view name)
{
    return name.size() > kFilePrefix.size() + kFileSuffix.size() && name.starts_with(kFilePrefix) &&
           name.ends_with(kFileSuffix);
}

std::int32_t signOf(double value)
{
    return value >= 0.0 ? 1 : -1;
}
} // namespace

std::string formatRecoveryRecord(const RecoveryRecord& record)
{
    std::string text(kVersionLine);
    text += "\npid " + std::to_string(record.pid);
    text += "\nwritten " + std::to_string(record.writtenAt);
    text += "\nname " + escape(record.name);
    text += "\npath " + escape(record.path);
    text += "\nmap " + escape(record.mapPath);
    for (const RecoveredPoint& point : record.points) {
        text += "\npoint " + formatFixed(point.latitude, 0, kDecimals) + ' ' +
                formatFixed(point.longitude, 0, kDecimals) + ' ' + escape(point.remark);
    }
    text += '\n';
    text += kEndLine;
    text += '\n';
    return text;
}

std::optional<RecoveryRecord> parseRecoveryRecord(std::string_view text)
{
    const std::string header = std::string(kVersionLine) + '\n';
    const std::string footer = std::string(kEndLine) + '\n';
    // A NUL byte is no text: a file read refuses it too.
    if (text.size() < header.size() + footer.size() || !text.starts_with(header) || !text.ends_with(footer) ||
        text.find('\0') != std::string_view::npos)
        return std::nullopt;
    // Whole lines only between the two: a cut or merged line is damage.
    std::string_view body = text.substr(header.size(), text.size() - header.size() - footer.size());
    if (!body.empty() && !body.ends_with('\n'))
        return std::nullopt;
    RecoveryRecord record;
    while (!body.empty()) {
        const std::size_t end = body.find('\n');
        const auto [key, value] = splitWord(body.substr(0, end));
        if (!parseLine(key, value, record))
            return std::nullopt;
        body.remove_prefix(end + 1);
    }
    return record;
}

bool writeRecoveryFile(const fs::path& file, const RecoveryRecord& record)
{
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    return writeFileAtomically(file, formatRecoveryRecord(record));
}

std::optional<RecoveryRecord> readRecoveryFile(const fs::path& file)
{
    const auto lines = readTextLines(file);
    if (!lines)
        return std::nullopt;
    std::string text;
    for (const TextLine& line : *lines) {
        text += line.text;
        text += line.end.empty() ? "" : "\n";
    }
    return parseRecoveryRecord(text);
}

fs::path recoveryFileFor(const fs::path& folder, std::int64_t pid)
{
    return folder / (std::string(kFilePrefix) + std::to_string(pid) + std::string(kFileSuffix));
}

std::vector<LeftRecovery> leftRecoveries(const fs::path& folder, std::int64_t ownPid,
                                         const std::function<bool(std::int64_t pid)>& running)
{
    std::vector<LeftRecovery> left;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (!isRecoveryFileName(toUtf8(entry.path().filename())) || !entry.is_regular_file(error))
            continue;
        auto record = readRecoveryFile(entry.path());
        if (record && record->pid != ownPid && !running(record->pid))
            left.push_back({entry.path(), std::move(*record)});
    }
    std::ranges::sort(left, std::greater{}, [](const LeftRecovery& item) { return item.record.writtenAt; });
    return left;
}

RecoveryRecord recordOfTour(cl_Tour& tour, std::string mapPath)
{
    RecoveryRecord record{tour.name(), tour.path(), std::move(mapPath), {}, 0, 0};
    const std::vector<std::string>& remarks = tour.getRemarks();
    for (auto at = tour.getHeadPosition(); at;) {
        IPoint sign;
        DPoint deg;
        tour.getNext(at).getRefPoint(sign, deg);
        const std::size_t index = record.points.size();
        record.points.push_back({sign.y * deg.y, sign.x * deg.x, index < remarks.size() ? remarks[index] : ""});
    }
    return record;
}

void restoreTour(const RecoveryRecord& record, cl_Tour& tour)
{
    tour.clear();
    for (const RecoveredPoint& point : record.points) {
        cl_RefPoint position;
        position.setRefPoint(IPoint{signOf(point.longitude), signOf(point.latitude)},
                             DPoint{std::fabs(point.longitude), std::fabs(point.latitude)});
        tour.addPoint(position);
        tour.getRemarks().back() = point.remark;
    }
    tour.setName(record.name);
    tour.setPath(record.path);
}

std::string recoveryQuestion(const RecoveryRecord& record)
{
    const std::time_t written = static_cast<std::time_t>(record.writtenAt);
    char date[32] = "";
    if (const std::tm* local = std::localtime(&written))
        std::strftime(date, sizeof date, "%Y-%m-%d %H:%M", local);
    return replacePlaceholders(strings::tr(strings::kRecoverTourQuestion), {record.name, date});
}

} // namespace rovanta
