// The main window's help: the help language and file kept in the settings,
// finding the file (asking the user when it is missing), and the topic for
// each help request.
#pragma once

#include "help/help_topics.h"
#include "manager/settings_access.h"

#include <filesystem>
#include <string>
#include <vector>

namespace rovanta {

/// Where help files are looked for before the user is asked.
struct HelpPlaces {
    /// Folders searched for a help file given by name alone, and for a
    /// stored path whose folder no longer holds it: the program's own
    /// folder first. The first also opens the search dialog.
    std::vector<std::filesystem::path> folders;
    /// The help file path help requests use until a file is found: a file
    /// named after the program in its folder.
    std::string defaultPath;
};

class HelpFiles {
public:
    /// Reads "HelpFile" and "HelpId" and finds the help file of the stored
    /// language; may ask the user through the open-file prompt. `settings`
    /// must outlive this object. Without a stored language (or an unknown
    /// one), `defaultLanguage`.
    HelpFiles(SettingsAccess& settings, HelpPlaces places, int defaultLanguage = help::kGerman);

    /// Writes the help file path and language back.
    void save();

    /// Makes `language` (help::kEnglish or help::kGerman) the help
    /// language and looks for its file beside the current one. False when
    /// it is not found; the language and the unfound path stay.
    [[nodiscard]] bool selectHelpLanguage(int language);
    /// True when the help file path names a readable file, found without
    /// regard to case; else the user is asked.
    [[nodiscard]] bool locateHelpFile();
    /// The "Search Help File" dialog, repeated after "File not found!" until
    /// an existing file is chosen (true) or the dialog is cancelled.
    [[nodiscard]] bool searchHelpFile();

    /// Set while the map view's popup menu is open.
    void setPopupOpen(bool open) { popupOpen_ = open; }
    bool popupOpen() const { return popupOpen_; }

    int language() const { return language_; }
    /// The help file the frame tries to use, as stored.
    const std::string& helpFilePath() const { return helpFilePath_; }
    /// The help file help requests open; changes only when a file is found.
    const std::string& appHelpPath() const { return appHelpPath_; }

    /// True when the file help requests open can be read.
    bool helpFileAvailable() const;

    /// The topic for a help context, for the help viewer.
    std::string topicFor(int context) const;

private:
    SettingsAccess& settings_;
    HelpPlaces places_;
    bool popupOpen_ = false;
    int language_;
    std::string helpFilePath_;
    std::string appHelpPath_;
};

} // namespace rovanta
