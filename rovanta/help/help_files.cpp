#include "help/help_files.h"

#include "common/file_names.h"
#include "help/help_topics.h"
#include "manager/settings_layout.h"
#include "ports/message.h"
#include "ports/open_file_prompt.h"
#include "resources/string_table.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>
#include <system_error>

namespace rovanta {
namespace {

constexpr std::string_view kHelpFileValue = "HelpFile";
constexpr std::string_view kHelpIdValue = "HelpId";

std::string upper(std::string_view text)
{
    std::string result(text);
    std::ranges::transform(result, result.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return result;
}

/// The index of the last separator, either spelling, or npos.
std::size_t lastSeparator(std::string_view path)
{
    return path.find_last_of("/\\");
}

bool isReadableFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    return std::ifstream(path, std::ios::binary).is_open();
}

bool isFolder(std::string_view folder)
{
    std::error_code error;
    return std::filesystem::is_directory(fromWindowsPath(folder), error);
}

/// `name` in `folder`, matched without regard to case.
std::optional<std::string> findIn(const std::filesystem::path& folder, std::string_view name)
{
    const std::filesystem::path found = findInFolderIgnoreCase(folder, name);
    if (found.empty() || !isReadableFile(found))
        return std::nullopt;
    return toUtf8(found);
}

/// The file a path names: in its own folder, or by name alone in `folders`.
std::optional<std::string> findHelpFile(std::string_view path, const std::vector<std::filesystem::path>& folders)
{
    const std::size_t separator = lastSeparator(path);
    const std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
    if (name.empty())
        return std::nullopt;
    if (separator != std::string_view::npos) {
        const std::string_view folder = separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
        if (auto found = findIn(fromWindowsPath(folder), name))
            return found;
    }
    for (const std::filesystem::path& folder : folders) {
        if (auto found = findIn(folder, name))
            return found;
    }
    return std::nullopt;
}

} // namespace

HelpFiles::HelpFiles(SettingsAccess& settings, HelpPlaces places, int defaultLanguage)
    : settings_(settings), places_(std::move(places)), appHelpPath_(places_.defaultPath)
{
    helpFilePath_ =
        settings_.readString(settings::kSettings, kHelpFileValue, upper(help::fileNameFor(defaultLanguage)));
    language_ = settings_.readInt(settings::kSettings, kHelpIdValue, defaultLanguage);
    if (language_ != help::kEnglish && language_ != help::kGerman)
        language_ = defaultLanguage;

    if (upper(helpFilePath_).find(upper(help::fileNameFor(language_))) != std::string::npos) {
        if (locateHelpFile())
            appHelpPath_ = helpFilePath_;
    } else {
        // Not found yet: the help commands look for the file when asked.
        static_cast<void>(selectHelpLanguage(language_));
    }
}

void HelpFiles::save()
{
    settings_.writeString(settings::kSettings, kHelpFileValue, helpFilePath_);
    settings_.writeInt(settings::kSettings, kHelpIdValue, language_);
}

bool HelpFiles::selectHelpLanguage(int language)
{
    language_ = language;
    const std::size_t separator = lastSeparator(appHelpPath_);
    const std::string folder = separator == std::string::npos ? std::string() : appHelpPath_.substr(0, separator + 1);
    helpFilePath_ = folder + std::string(help::fileNameFor(language));
    if (!locateHelpFile())
        return false;
    appHelpPath_ = helpFilePath_;
    return true;
}

bool HelpFiles::locateHelpFile()
{
    if (auto found = findHelpFile(helpFilePath_, places_.folders)) {
        helpFilePath_ = *found;
        return true;
    }
    return searchHelpFile();
}

bool HelpFiles::searchHelpFile()
{
    const std::size_t separator = lastSeparator(helpFilePath_);
    OpenFileRequest request;
    request.title = strings::tr(strings::kSearchHelpFile);
    request.filter = strings::tr(strings::kHelpFileFilter);
    request.defaultExtension = ".chm";
    request.initialName = separator == std::string::npos ? helpFilePath_ : helpFilePath_.substr(separator + 1);

    // The deepest folder of the path that still exists; a path without one
    // (or only a root) starts where the program keeps its help.
    std::string folder = separator == std::string::npos ? std::string() : helpFilePath_.substr(0, separator);
    while (!folder.empty() && !isFolder(folder)) {
        const std::size_t cut = lastSeparator(folder);
        folder = cut == std::string::npos ? std::string() : folder.substr(0, cut);
    }
    if (folder.size() >= 2 && isFolder(folder))
        request.initialFolder = folder + kNativeSeparator;
    else if (!places_.folders.empty())
        request.initialFolder = toUtf8(places_.folders.front());

    while (const std::optional<std::string> chosen = askOpenFile(request)) {
        if (auto found = findHelpFile(*chosen, {})) {
            helpFilePath_ = *found;
            return true;
        }
        showMessage(strings::tr(strings::kFileNotFound), kMessageOk);
    }
    return false;
}

bool HelpFiles::helpFileAvailable() const
{
    return isReadableFile(toFsPath(appHelpPath_));
}

std::string HelpFiles::topicFor(int context) const
{
    return help::topicFor(appHelpPath_, language_, context, popupOpen_);
}

} // namespace rovanta
