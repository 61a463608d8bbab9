// Shows a topic of a compiled help file: the platform's viewer in the GUI,
// a recorder in tests.
#pragma once

#include <string>

namespace rovanta {

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    /// `topic` is a help file path, optionally followed by "::" and the
    /// page's path inside the file ("/HTML/Eng/Maps.htm"); without a page
    /// the file's start page is shown. A file that cannot be read shows
    /// nothing, silently.
    virtual void displayTopic(const std::string& topic) = 0;
};

} // namespace rovanta
