// The "sitemap" HTML of a help project's table of contents (.hhc) and index
// (.hhk): nested <UL> lists whose <LI> items each carry an
// <OBJECT type="text/sitemap"> with "Name" and "Local" parameters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rovanta {

struct HelpEntry {
    std::string name;  ///< UTF-8, entities decoded
    std::string local; ///< the page as written, e.g. "HTML/Eng/Maps.htm#Scale"
    int depth = 0;     ///< 0 for the outermost list
    bool operator==(const HelpEntry&) const = default;
};

/// The entries of a sitemap file, in document order. `bytes` is the file as
/// stored: UTF-8, or else the ANSI code page (see toDisplayUtf8). Tolerates
/// what the HTML Help tools accept: any case of tags and attribute names,
/// quoted or bare values, missing end tags and stray text.
std::vector<HelpEntry> parseSitemap(std::string_view bytes);

/// The object path a "Local" value names inside its archive: '\\' as '/',
/// a leading '/', and any "file.chm::" prefix removed; a fragment stays.
/// Empty for an empty value.
std::string helpPagePath(std::string_view local);

} // namespace rovanta
