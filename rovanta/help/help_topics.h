// Which page of the help file answers a help context, and the topic path
// the help viewer is given for it.
#pragma once

#include <string>
#include <string_view>

namespace rovanta::help {

/// Help languages, named by the command that chooses them.
inline constexpr int kEnglish = 32809;
inline constexpr int kGerman = 32810;

/// The help file of a language as it is installed: "RovantaENG.chm" or
/// "RovantaDEU.chm" (any other language counts as German).
std::string_view fileNameFor(int language);

/// The page for a help context ("Maps.htm"), or empty when the context has
/// none and the help file's start page answers. The main window's context
/// has a page only while the map view's popup menu is open.
std::string_view pageFor(int context, bool popupOpen);

/// `helpFile`, then "::/HTML/Eng/" or "::/HTML/Ger/" and the page of the
/// context; the help file alone for a context without a page.
std::string topicFor(std::string_view helpFile, int language, int context, bool popupOpen);

} // namespace rovanta::help
