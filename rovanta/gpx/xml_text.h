// Small pieces shared by the XML writers.
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace rovanta::xml {

/// Starts a document with its UTF-8 declaration.
void declare(pugi::xml_document& document);

/// Appends <name>text</name>; control characters, which XML 1.0 cannot
/// carry even escaped, are dropped.
pugi::xml_node appendText(pugi::xml_node parent, const char* name, std::string_view text);

/// The document indented by two blanks, in UTF-8.
std::string serialize(const pugi::xml_document& document);

/// A coordinate with 7 decimals, the precision of the tour file.
std::string coordinate(double degrees);

} // namespace rovanta::xml
