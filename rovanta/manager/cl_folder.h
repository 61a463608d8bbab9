// The folders page of the manager sheet: the folder list as editable text,
// the folder chosen in the tree, and Add / Apply.
#pragma once

#include "manager/page_state.h"
#include "manager/settings_access.h"

#include <string>

namespace rovanta {

class cl_Folder {
public:
    /// Takes the store's folder list as its text and reads the folder last
    /// applied.
    cl_Folder(ActionButton& button, std::string& storeFolderList, SettingsAccess& settings);

    /// The page's copy of the folder list, as the edit box shows it.
    const std::string& folderText() const { return folderText_; }
    /// The edit box changed; the text is taken as typed.
    void setFolderText(std::string text) { folderText_ = std::move(text); }

    /// Full path of the folder chosen in the tree, with a trailing
    /// separator; empty when nothing usable is chosen.
    const std::string& currentPath() const { return currentPath_; }
    void setCurrentPath(std::string path) { currentPath_ = std::move(path); }

    /// The folder the tree opens along.
    const std::string& lastSelectedFolder() const { return lastSelectedFolder_; }

    /// Became the active page: the action button reads "Apply".
    void activate();
    /// Appends the chosen folder to the text (repeats are dropped when the
    /// store saves).
    void add();
    /// The store's folder list becomes the text now, before the sheet closes.
    void apply();
    /// The sheet closed with OK.
    void commit();
    void cancel();
    /// Remembers the folder last applied for the next start.
    void saveState();

private:
    ActionButton& button_;
    std::string& storeFolderList_;
    SettingsAccess& settings_;
    std::string folderText_;
    std::string currentPath_;
    std::string lastSelectedFolder_;
};

} // namespace rovanta
